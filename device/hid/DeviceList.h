#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "device/hid/HidDeviceInfo.h"
#include "device/hid/HidPlatform.h"

namespace grayden {

constexpr std::array<std::uint16_t, 3> acceptedVendorIds = {4712, 4713, 4714};
bool isAcceptedVendor(std::uint16_t vendorId);
// Whether an interface that could not be opened may be an accepted device: its vendor is
// accepted, or the platform cannot tell without opening it.
bool mayBeAcceptedDevice(HidPlatform& platform, const std::string& path);

// The accepted HID devices, in enumeration order; the editor's application object owns one.
class DeviceList {
public:
    explicit DeviceList(HidPlatform& platform) : platform_(platform) {}
    ~DeviceList() { clearDevices(); }
    DeviceList(const DeviceList&) = delete;
    DeviceList& operator=(const DeviceList&) = delete;

    // Rebuilds the list (closing the previous one); true when it is not empty afterwards.
    bool discoverDevices();
    // Lets discovery keep only the interface at this device path (and report only it when it
    // cannot be opened), so one of several monitors can be chosen; an empty path keeps every
    // accepted device.
    void restrictToPath(std::string path) { onlyPath_ = std::move(path); }
    // Closes and removes every listed device; always true.
    bool clearDevices();

    const std::vector<std::unique_ptr<HidDeviceInfo>>& devices() const { return devices_; }
    // The interfaces the last discovery could not open for lack of permission: one of them may
    // be the monitor the list lacks.
    const EnumerationReport& lastDiscovery() const { return lastDiscovery_; }
    HidPlatform& platform() { return platform_; }

private:
    HidPlatform& platform_;
    std::vector<std::unique_ptr<HidDeviceInfo>> devices_;
    EnumerationReport lastDiscovery_;
    std::string onlyPath_;
};

}  // namespace grayden
