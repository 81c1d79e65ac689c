#pragma once

#include <map>
#include <string>
#include <vector>

#include "device/hid/HidPlatform.h"
#include "device/hidraw/HidrawSysfs.h"

namespace grayden {

// The udev rule, shipped with the project, that gives the logged-in user access to the hidraw
// nodes of the accepted vendors; name it when a node cannot be opened for lack of permission.
constexpr const char* HidrawUdevRuleName = "70-grayden-kova.rules";

// HID access through the Linux hidraw driver: nodes listed from <sysRoot>/class/hidraw, opened
// as <devRoot>/hidrawN, identity from HIDIOCGRAWINFO (USB devices only) and the USB device's
// bcdDevice, the descriptor and feature reports through the hidraw ioctls.
class HidrawPlatform : public HidPlatform {
public:
    explicit HidrawPlatform(std::string sysRoot = "/sys", std::string devRoot = "/dev");
    ~HidrawPlatform() override;
    HidrawPlatform(const HidrawPlatform&) = delete;
    HidrawPlatform& operator=(const HidrawPlatform&) = delete;

    bool beginEnumeration() override;
    InterfaceQuery interfaceAt(std::size_t index, std::string& path) override;
    void endEnumeration() override;

    HidHandle openDevice(const std::string& path, const HidAccess& access, int& error) override;
    void closeDevice(HidHandle handle) override;
    bool peekVendorId(const std::string& path, std::uint16_t& vendorId) override;
    bool peekSerialNumber(const std::string& path, std::string& serial) override;

    bool getAttributes(HidHandle handle, std::uint16_t& vendorId, std::uint16_t& productId,
                       std::uint16_t& versionNumber) override;
    bool getReportDescriptor(HidHandle handle, std::vector<std::uint8_t>& descriptor) override;

    bool getFeature(HidHandle handle, std::uint8_t* frame, std::int16_t length) override;
    bool setFeature(HidHandle handle, const std::uint8_t* frame, std::int16_t length) override;
    // An flock on the node itself: it works on character devices and is seen by every user.
    DeviceLockResult lockDevice(HidHandle handle, std::chrono::milliseconds wait) override;
    void unlockDevice(HidHandle handle) override;

    // True once an exchange on the handle found the device unplugged (ENODEV); every later
    // exchange on it fails at once.
    bool deviceGone(HidHandle handle) const;

private:
    struct OpenNode {
        std::string name;  // "hidrawN", the key into sysfs
        bool gone = false;
        bool exclusive = false;  // its flock is held from open to close
    };

    OpenNode* findOpen(HidHandle handle);
    // Checks a frame before it is handed to the kernel; the ioctl encodes its length in 14 bits.
    bool exchangeAllowed(HidHandle handle, const std::uint8_t* frame, std::int16_t length);
    // The ioctl's result: the bytes moved, report id included, must be the whole frame.
    bool exchangeDone(HidHandle handle, int moved, std::int16_t length);

    HidrawSysfs sysfs_;
    std::string devRoot_;
    std::vector<std::string> nodes_;
    std::map<HidHandle, OpenNode> open_;
};

}  // namespace grayden
