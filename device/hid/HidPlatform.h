#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace grayden {

// An open device as the platform knows it (a file descriptor on Linux).
using HidHandle = std::intptr_t;
constexpr HidHandle InvalidHidHandle = -1;

enum class InterfaceQuery { Found, NoMoreItems, Failed };

// How a device path is opened.
struct HidAccess {
    bool read = true;
    bool write = true;
    bool exclusive = false;  // keeps out other users that ask the same while the handle is open
};

// What asking for a device's transfer lock came to.
enum class DeviceLockResult {
    Held,    // this handle holds the lock until it lets go or is closed
    Busy,    // another handle held it for the whole wait
    Failed,  // the lock cannot be had at all
};

// What HID discovery and transfer need of the operating system. The hidraw backend and the
// simulated monitor implement it side by side; nothing above this layer knows which one runs.
class HidPlatform {
public:
    virtual ~HidPlatform() = default;

    // Takes a snapshot of the present HID interfaces; false when the set cannot be had.
    virtual bool beginEnumeration() = 0;
    // The device path of the interface at this index of the snapshot.
    virtual InterfaceQuery interfaceAt(std::size_t index, std::string& path) = 0;
    virtual void endEnumeration() = 0;

    // Opens a device path; on failure returns InvalidHidHandle and sets error to an errno value.
    virtual HidHandle openDevice(const std::string& path, const HidAccess& access, int& error) = 0;
    virtual void closeDevice(HidHandle handle) = 0;
    // The USB vendor of an interface found by enumeration, read without opening it, so that an
    // interface that cannot be opened can still be told apart from the monitor. False when the
    // platform cannot tell.
    virtual bool peekVendorId(const std::string& /*path*/, std::uint16_t& /*vendorId*/) { return false; }
    // The serial number of the USB device an interface belongs to, read without opening it, so
    // two monitors of one model can be told apart. False when it has none or the platform
    // cannot tell.
    virtual bool peekSerialNumber(const std::string& /*path*/, std::string& /*serial*/) { return false; }

    // USB vendor, product and release number (bcdDevice).
    virtual bool getAttributes(HidHandle handle, std::uint16_t& vendorId, std::uint16_t& productId,
                               std::uint16_t& versionNumber) = 0;
    // The raw report descriptor, at most 4096 bytes.
    virtual bool getReportDescriptor(HidHandle handle, std::vector<std::uint8_t>& descriptor) = 0;

    // One feature-report exchange; frame[0] is the report id, length includes it.
    virtual bool getFeature(HidHandle handle, std::uint8_t* frame, std::int16_t length) = 0;
    virtual bool setFeature(HidHandle handle, const std::uint8_t* frame, std::int16_t length) = 0;

    // The device's transfer lock, one per device and shared by every process and user that
    // opens it, so that a run of exchanges that belong together (a whole table) is never
    // interleaved with another's. Waits at most wait for the holder to let go. The kernel
    // drops it when the handle is closed or its process ends; it does not nest.
    virtual DeviceLockResult lockDevice(HidHandle handle, std::chrono::milliseconds wait) = 0;
    virtual void unlockDevice(HidHandle handle) = 0;
};

}  // namespace grayden
