#include <cerrno>
#include <new>

#include "device/HidDeviceInfo.h"
#include "device/ReportDescriptorParser.h"

namespace grayden {

namespace {

constexpr std::size_t FirstCapacity = 8;
// An interface set whose queries keep failing is given up after this many in a row, so
// discovery always ends.
constexpr std::size_t MaxFailedQueriesInARow = 64;

void closeAll(HidPlatform& platform, std::vector<std::unique_ptr<HidDeviceInfo>>& records) {
    for (auto& record : records) {
        closeHidDevice(platform, std::move(record), true);
    }
    records.clear();
}

// Tries every interface index once, growing the record array in passes of 8, 16, 32... slots;
// an interface that fails to open takes no slot. False when the set had to be given up.
bool enumerateInterfaces(HidPlatform& platform, std::vector<std::unique_ptr<HidDeviceInfo>>& records,
                         EnumerationReport* report) {
    std::size_t index = 0;
    std::size_t failedInARow = 0;
    for (std::size_t capacity = FirstCapacity;; capacity *= 2) {
        records.reserve(capacity);
        for (; index < capacity; ++index) {
            std::string path;
            const InterfaceQuery query = platform.interfaceAt(index, path);
            if (query == InterfaceQuery::NoMoreItems) {
                return true;
            }
            if (query == InterfaceQuery::Failed) {
                if (++failedInARow == MaxFailedQueriesInARow) {
                    return false;
                }
                continue;
            }
            failedInARow = 0;
            auto record = std::make_unique<HidDeviceInfo>();
            int error = 0;
            if (openHidDevice(platform, path, true, true, true, false, true, *record, &error)) {
                records.push_back(std::move(record));
            } else if (report != nullptr && (error == EACCES || error == EPERM)) {
                report->permissionDenied.push_back(path);
            }
        }
    }
}

}  // namespace

bool enumerateHidDevices(HidPlatform& platform, std::vector<std::unique_ptr<HidDeviceInfo>>& records,
                         EnumerationReport* report) {
    closeAll(platform, records);
    if (report != nullptr) {
        report->permissionDenied.clear();
    }
    if (!platform.beginEnumeration()) {
        return false;
    }
    bool found = false;
    try {
        found = enumerateInterfaces(platform, records, report);
    } catch (const std::bad_alloc&) {
        found = false;
    }
    platform.endEnumeration();
    if (!found) {
        closeAll(platform, records);  // a failed discovery leaves nothing open behind
    }
    return found;
}

bool openHidDevice(HidPlatform& platform, const std::string& path, bool readAccess, bool writeAccess,
                   bool overlapped, bool exclusive, bool readInfo, HidDeviceInfo& record, int* openError) {
    record.devicePath = path;
    int error = 0;
    record.handle = platform.openDevice(path, readAccess, writeAccess, exclusive, error);
    if (openError != nullptr) {
        *openError = record.handle == InvalidHidHandle ? error : 0;
    }
    if (record.handle == InvalidHidHandle) {
        record.devicePath.clear();
        return false;
    }
    record.readAccess = readAccess;
    record.writeAccess = writeAccess;
    record.overlapped = overlapped;
    record.exclusive = exclusive;
    if (!readInfo) {
        return true;
    }

    auto parsed = std::make_shared<ParsedDescriptor>();
    std::vector<std::uint8_t> descriptor;
    // Only the first top-level collection is addressed, as a single Windows interface would be.
    const bool described = platform.getReportDescriptor(record.handle, descriptor) &&
                           parseReportDescriptor(descriptor, *parsed) && !parsed->collections.empty();
    if (!described ||
        !platform.getAttributes(record.handle, record.vendorId, record.productId, record.versionNumber)) {
        platform.closeDevice(record.handle);
        record = HidDeviceInfo{};
        return false;
    }
    const ParsedCollection& first = parsed->collections.front();
    record.caps = first.caps;
    record.featureValueCaps = first.featureValueCaps;
    record.featureButtonCaps = first.featureButtonCaps;
    record.parserData = std::move(parsed);
    return true;
}

void closeHidDevice(HidPlatform& platform, std::unique_ptr<HidDeviceInfo> record, bool /*releaseAll*/) {
    // The record owns its parser data and tables outright, so freeing it releases them whether
    // or not everything was asked for; only the handle needs the platform.
    if (record && record->handle != InvalidHidHandle) {
        platform.closeDevice(record->handle);
    }
}

}  // namespace grayden
