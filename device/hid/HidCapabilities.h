#pragma once

#include <cstdint>
#include <map>
#include <vector>

namespace grayden {

// A feature value capability as the platform's HID parser reports it.
struct ValueCapability {
    std::uint16_t usagePage = 0;
    std::uint8_t reportId = 0;
    std::uint16_t linkCollection = 0;
    std::uint16_t linkUsagePage = 0;
    std::uint16_t linkUsage = 0;
    bool isRange = false;
    std::uint16_t usage = 0;  // the first usage of a range
    std::uint16_t usageMax = 0;
    std::uint16_t bitSize = 0;
    std::uint16_t reportCount = 0;
    std::int32_t logicalMin = 0;
    std::int32_t logicalMax = 0;
    std::int32_t physicalMin = 0;
    std::int32_t physicalMax = 0;
};

// A feature button capability (one bit per usage).
struct ButtonCapability {
    std::uint16_t usagePage = 0;
    std::uint8_t reportId = 0;
    std::uint16_t linkCollection = 0;
    std::uint16_t linkUsagePage = 0;
    std::uint16_t linkUsage = 0;
    bool isRange = false;
    std::uint16_t usage = 0;  // the first usage of a range
    std::uint16_t usageMax = 0;
};

// The top-level record: counts that size the capability tables, and the longest report of each
// type in bytes, report id byte included.
struct HidCaps {
    std::uint16_t usage = 0;
    std::uint16_t usagePage = 0;
    std::uint16_t inputReportByteLength = 0;
    std::uint16_t outputReportByteLength = 0;
    std::uint16_t featureReportByteLength = 0;
    std::uint16_t numberInputValueCaps = 0;
    std::uint16_t numberInputButtonCaps = 0;
    std::uint16_t numberOutputValueCaps = 0;
    std::uint16_t numberOutputButtonCaps = 0;
    std::uint16_t numberFeatureValueCaps = 0;
    std::uint16_t numberFeatureButtonCaps = 0;
};

// What the report-descriptor parser makes of one top-level collection. Only the feature tables
// are ever exchanged; the input and output tables describe the rest of the device.
struct ParsedCollection {
    HidCaps caps{};
    std::vector<ValueCapability> featureValueCaps;
    std::vector<ButtonCapability> featureButtonCaps;
    std::map<std::uint8_t, std::uint16_t> featureReportBytes;  // report id -> bytes with the id
    std::vector<ValueCapability> inputValueCaps;
    std::vector<ButtonCapability> inputButtonCaps;
    std::map<std::uint8_t, std::uint16_t> inputReportBytes;
    std::vector<ValueCapability> outputValueCaps;
    std::vector<ButtonCapability> outputButtonCaps;
    std::map<std::uint8_t, std::uint16_t> outputReportBytes;
};

struct ParsedDescriptor {
    std::vector<ParsedCollection> collections;
};

}  // namespace grayden
