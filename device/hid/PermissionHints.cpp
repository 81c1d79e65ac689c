#include "device/hid/PermissionHints.h"

#include "device/hid/DeviceList.h"
#include "device/hidraw/HidrawPlatform.h"

namespace grayden {

std::string udevRuleHint(const std::string& path) {
    return path + "  permission denied: install the udev rule device/udev/" + HidrawUdevRuleName +
           " (see the README) and replug the monitor\n";
}

std::string unopenedMonitorHints(DeviceList& devices) {
    std::string lines;
    // The rule would not help a node of any other vendor.
    for (const std::string& path : devices.lastDiscovery().permissionDenied) {
        if (mayBeAcceptedDevice(devices.platform(), path)) lines += udevRuleHint(path);
    }
    return lines;
}

}  // namespace grayden
