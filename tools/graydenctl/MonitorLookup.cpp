#include "MonitorLookup.h"

#include <filesystem>
#include <memory>

#include "device/MonitorSession.h"
#include "device/PlatformFactory.h"
#include "device/hid/DeviceList.h"
#include "device/hid/HidReportChannel.h"

namespace grayden::ctl {

std::string listedDevicePath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path real = std::filesystem::canonical(path, error);
    return error ? path : real.string();
}

std::optional<FoundMonitor> lookUpMonitor(const std::string& devicePath, std::string& error) {
    const std::unique_ptr<HidPlatform> platform = makeHidPlatform(error);
    if (!platform) return std::nullopt;
    DeviceList devices(*platform);
    devices.restrictToPath(devicePath.empty() ? devicePath : listedDevicePath(devicePath));
    HidReportChannel channel(*platform);
    MonitorSession monitor(channel, devices, nullptr);
    // The search reads each device's model name and nothing else; the calibration probe that
    // would set the mode register is never run.
    if (!devices.discoverDevices() || monitor.findMonitor() != SessionError::None) return std::nullopt;
    FoundMonitor found;
    if (monitor.readIdentity(found) != SessionError::None) return std::nullopt;
    monitor.release();
    return found;
}

}  // namespace grayden::ctl
