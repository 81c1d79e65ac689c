// Feeds arbitrary bytes to the report-descriptor parser and checks what must hold for every
// descriptor it accepts: each capability's value fits its report, and each report fits a frame.
#include <cstdint>
#include <cstdlib>
#include <map>
#include <vector>

#include "device/hid/ReportDescriptorParser.h"

namespace {

using grayden::ButtonCapability;
using grayden::HidMaxBufferSize;
using grayden::ValueCapability;

void require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

void checkReports(const std::vector<ValueCapability>& values, const std::vector<ButtonCapability>& buttons,
                  const std::map<std::uint8_t, std::uint16_t>& bytes, std::uint16_t longest, std::uint16_t valueCount,
                  std::uint16_t buttonCount) {
    require(values.size() == valueCount && buttons.size() == buttonCount);
    std::uint16_t max = 0;
    for (const auto& [id, length] : bytes) {
        require(length >= 1 && length <= HidMaxBufferSize);
        max = length > max ? length : max;
    }
    require(max == longest);
    for (const ValueCapability& cap : values) {
        const auto report = bytes.find(cap.reportId);
        require(report != bytes.end() && cap.usage <= cap.usageMax && cap.reportCount > 0);
        require(std::size_t{cap.bitSize} / 8 * cap.reportCount + 1 <= report->second);
    }
    for (const ButtonCapability& cap : buttons) {
        require(bytes.count(cap.reportId) == 1 && cap.usage <= cap.usageMax);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    grayden::ParsedDescriptor parsed;
    grayden::DescriptorFault fault;
    if (!grayden::parseReportDescriptor({data, size}, parsed, &fault)) {
        require(fault.problem != grayden::DescriptorProblem::None && fault.offset <= size &&
                parsed.collections.empty());
        return 0;
    }
    require(size <= grayden::HidMaxDescriptorSize);
    for (const grayden::ParsedCollection& c : parsed.collections) {
        checkReports(c.inputValueCaps, c.inputButtonCaps, c.inputReportBytes, c.caps.inputReportByteLength,
                     c.caps.numberInputValueCaps, c.caps.numberInputButtonCaps);
        checkReports(c.outputValueCaps, c.outputButtonCaps, c.outputReportBytes, c.caps.outputReportByteLength,
                     c.caps.numberOutputValueCaps, c.caps.numberOutputButtonCaps);
        checkReports(c.featureValueCaps, c.featureButtonCaps, c.featureReportBytes, c.caps.featureReportByteLength,
                     c.caps.numberFeatureValueCaps, c.caps.numberFeatureButtonCaps);
    }
    return 0;
}
