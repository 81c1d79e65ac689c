#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "device/hid/HidCapabilities.h"
#include "device/hid/HidPlatform.h"

namespace grayden {

// One opened HID interface: one top-level collection of a device node. A node with several
// top-level collections gives one record per collection, each with its own open handle on the
// node, so every record is closed on its own. Whoever holds the record owns it; closeHidDevice
// releases it.
struct HidDeviceInfo {
    std::string devicePath;
    HidHandle handle = InvalidHidHandle;
    std::size_t collection = 0;  // index of the node's top-level collection the capabilities are of
    bool readAccess = false;
    bool writeAccess = false;
    bool exclusive = false;
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

// A node never gives more records than this, so one hostile descriptor cannot take every file
// descriptor of the process; real devices have a handful of top-level collections.
constexpr std::size_t MaxCollectionsPerNode = 32;

// Opens every present interface, one record per top-level collection of each node, in node
// order and then collection order; records that fail to open take no slot. False when
// discovery itself failed (records then stay empty).
bool enumerateHidDevices(HidPlatform& platform, std::vector<std::unique_ptr<HidDeviceInfo>>& records,
                         EnumerationReport* report = nullptr);

// How openHidDevice opens a path; with readInfo it also reads identity and the feature
// capabilities of the node's first top-level collection.
struct HidOpenMode {
    HidAccess access;
    bool readInfo = true;
};

bool openHidDevice(HidPlatform& platform, const std::string& path, const HidOpenMode& mode, HidDeviceInfo& record,
                   int* openError = nullptr);
// Opens one path for its top-level collection with that index, as discovery does; false also
// when the node has no such collection.
bool openHidCollection(HidPlatform& platform, const std::string& path, std::size_t collection, HidDeviceInfo& record,
                       int* openError = nullptr);

void closeHidDevice(HidPlatform& platform, std::unique_ptr<HidDeviceInfo> record);

}  // namespace grayden
