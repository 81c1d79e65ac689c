#include <algorithm>
#include <cerrno>
#include <new>

#include "device/hid/HidDeviceInfo.h"
#include "device/hid/ReportDescriptorParser.h"

namespace grayden {

namespace {

constexpr std::size_t FirstCapacity = 8;
// An interface set whose queries keep failing is given up after this many in a row, so
// discovery always ends.
constexpr std::size_t MaxFailedQueriesInARow = 64;

void closeAll(HidPlatform& platform, std::vector<std::unique_ptr<HidDeviceInfo>>& records) {
    for (auto& record : records) {
        closeHidDevice(platform, std::move(record));
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
            if (!openHidCollection(platform, path, 0, *record, &error)) {
                if (report != nullptr && (error == EACCES || error == EPERM)) {
                    report->permissionDenied.push_back(path);
                }
                continue;
            }
            const std::size_t collections = std::min(record->parserData->collections.size(), MaxCollectionsPerNode);
            records.push_back(std::move(record));
            // Every further top-level collection is an interface of its own, on its own handle.
            for (std::size_t c = 1; c < collections; ++c) {
                auto more = std::make_unique<HidDeviceInfo>();
                if (openHidCollection(platform, path, c, *more)) {
                    records.push_back(std::move(more));
                }
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

namespace {

// How discovery opens every interface: read and write, shared, with identity and capabilities.
constexpr HidOpenMode DiscoveryMode = {.access = {.read = true, .write = true, .exclusive = false}, .readInfo = true};

bool openNode(HidPlatform& platform, const std::string& path, const HidOpenMode& mode, std::size_t collection,
              HidDeviceInfo& record, int* openError) {
    record.devicePath = path;
    int error = 0;
    record.handle = platform.openDevice(path, mode.access, error);
    if (openError != nullptr) {
        *openError = record.handle == InvalidHidHandle ? error : 0;
    }
    if (record.handle == InvalidHidHandle) {
        record.devicePath.clear();
        return false;
    }
    record.readAccess = mode.access.read;
    record.writeAccess = mode.access.write;
    record.exclusive = mode.access.exclusive;
    if (!mode.readInfo) {
        return true;
    }

    auto parsed = std::make_shared<ParsedDescriptor>();
    std::vector<std::uint8_t> descriptor;
    const bool described = platform.getReportDescriptor(record.handle, descriptor) &&
                           parseReportDescriptor(descriptor, *parsed) && collection < parsed->collections.size();
    if (!described || !platform.getAttributes(record.handle, record.vendorId, record.productId, record.versionNumber)) {
        platform.closeDevice(record.handle);
        record = HidDeviceInfo{};
        return false;
    }
    // The record addresses one top-level collection, as one Windows interface would.
    const ParsedCollection& addressed = parsed->collections[collection];
    record.collection = collection;
    record.caps = addressed.caps;
    record.featureValueCaps = addressed.featureValueCaps;
    record.featureButtonCaps = addressed.featureButtonCaps;
    record.parserData = std::move(parsed);
    return true;
}

}  // namespace

bool openHidDevice(HidPlatform& platform, const std::string& path, const HidOpenMode& mode, HidDeviceInfo& record,
                   int* openError) {
    return openNode(platform, path, mode, 0, record, openError);
}

bool openHidCollection(HidPlatform& platform, const std::string& path, std::size_t collection, HidDeviceInfo& record,
                       int* openError) {
    return openNode(platform, path, DiscoveryMode, collection, record, openError);
}

void closeHidDevice(HidPlatform& platform, std::unique_ptr<HidDeviceInfo> record) {
    // The record owns its parser data and tables outright, so freeing it releases them; only the
    // handle needs the platform.
    if (record && record->handle != InvalidHidHandle) {
        platform.closeDevice(record->handle);
    }
}

}  // namespace grayden
