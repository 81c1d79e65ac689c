#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace grayden {

// What the hidraw backend reads from sysfs, kept apart from the ioctls so that it can be tested
// on a fake tree. Roots are injectable: sysRoot is normally "/sys".
class HidrawSysfs {
public:
    explicit HidrawSysfs(std::string sysRoot) : sysRoot_(std::move(sysRoot)) {}

    // The hidraw node names ("hidraw0", "hidraw1", ...) in node-number order. False when the
    // class folder exists but cannot be listed; a missing folder means no nodes.
    bool listNodes(std::vector<std::string>& names) const;

    // The release number (bcdDevice) of the USB device that the node belongs to. False when the
    // node has no USB device above it or the value is not 1 to 4 hex digits.
    bool readReleaseNumber(const std::string& node, std::uint16_t& releaseNumber) const;
    // The vendor id (idVendor) of the same USB device, under the same rules.
    bool readVendorId(const std::string& node, std::uint16_t& vendorId) const;
    // The serial number string of the same USB device: false when it has none, or when it is
    // empty, longer than 126 characters or holds anything but printable ASCII.
    bool readSerialNumber(const std::string& node, std::string& serial) const;

private:
    // The folder of the USB device above the node.
    bool findUsbDevice(const std::string& node, std::string& folder) const;
    // One hex attribute of the USB device above the node.
    bool readUsbAttribute(const std::string& node, const char* name, std::uint16_t& value) const;

    std::string sysRoot_;
};

}  // namespace grayden
