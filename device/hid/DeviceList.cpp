#include "device/hid/DeviceList.h"

#include <algorithm>

namespace grayden {

bool isAcceptedVendor(std::uint16_t vendorId) {
    return std::find(acceptedVendorIds.begin(), acceptedVendorIds.end(), vendorId) != acceptedVendorIds.end();
}

bool mayBeAcceptedDevice(HidPlatform& platform, const std::string& path) {
    std::uint16_t vendorId = 0;
    return !platform.peekVendorId(path, vendorId) || isAcceptedVendor(vendorId);
}

bool DeviceList::discoverDevices() {
    if (!devices_.empty()) {
        clearDevices();
    }
    std::vector<std::unique_ptr<HidDeviceInfo>> found;
    if (enumerateHidDevices(platform_, found, &lastDiscovery_)) {
        for (auto& record : found) {
            if (isAcceptedVendor(record->vendorId) && (onlyPath_.empty() || record->devicePath == onlyPath_)) {
                devices_.push_back(std::move(record));
            } else {
                closeHidDevice(platform_, std::move(record));
            }
        }
    }
    if (!onlyPath_.empty())
        std::erase_if(lastDiscovery_.permissionDenied, [&](const std::string& p) { return p != onlyPath_; });
    return !devices_.empty();
}

bool DeviceList::clearDevices() {
    for (auto& record : devices_) {
        closeHidDevice(platform_, std::move(record));
    }
    devices_.clear();
    return true;
}

}  // namespace grayden
