#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "device/HidCapabilities.h"
#include "device/HidPlatform.h"

namespace grayden {

// One opened HID interface. Whoever holds the record owns it; closeHidDevice releases it.
struct HidDeviceInfo {
    std::string devicePath;
    HidHandle handle = InvalidHidHandle;
    std::int32_t readAccess = 0;
    std::int32_t writeAccess = 0;
    std::int32_t overlapped = 0;
    std::int32_t exclusive = 0;
    std::shared_ptr<const ParsedDescriptor> parserData;  // the parsed report descriptor
    HidCaps caps{};
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t versionNumber = 0;
    std::vector<ValueCapability> featureValueCaps;
    std::vector<ButtonCapability> featureButtonCaps;
};

// Interfaces that exist but could not be opened for lack of permission, so a tool can tell the
// user how to get access instead of skipping them silently.
struct EnumerationReport {
    std::vector<std::string> permissionDenied;
};

// Opens every present interface; records that fail to open take no slot. False when
// discovery itself failed (records then stay empty).
bool enumerateHidDevices(HidPlatform& platform, std::vector<std::unique_ptr<HidDeviceInfo>>& records,
                         EnumerationReport* report = nullptr);

// Opens one path; with readInfo also reads identity and the feature capabilities.
bool openHidDevice(HidPlatform& platform, const std::string& path, bool readAccess, bool writeAccess,
                   bool overlapped, bool exclusive, bool readInfo, HidDeviceInfo& record, int* openError = nullptr);

void closeHidDevice(HidPlatform& platform, std::unique_ptr<HidDeviceInfo> record, bool releaseAll);

}  // namespace grayden
