#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace grayden {

// Which feature-report transfers the simulated monitor answers for a report.
enum class ReportAccess { GetOnly, SetOnly, GetAndSet };

// The feature reports of the simulated monitor: one report id per vendor usage.
struct SimulatedReport {
    std::uint8_t reportId;
    std::uint16_t usagePage;
    std::uint8_t usage;
    std::int16_t valueLength;  // bytes after the report id
    ReportAccess access;

    bool readable() const { return access != ReportAccess::SetOnly; }
    bool writable() const { return access != ReportAccess::GetOnly; }
};

enum SimulatedReportId : std::uint8_t {
    IdentificationReport = 1,
    ModeReport = 2,
    GammaCodeReport = 3,
    StatusReport = 4,
    BlockSelectReport = 5,
    BlockDataReport = 6,
};

extern const std::array<SimulatedReport, 6> simulatedReports;

// The report for an id, or null when the monitor has none by that id.
const SimulatedReport* findSimulatedReport(std::uint8_t reportId);
// The report carrying a usage, or null.
const SimulatedReport* findSimulatedReport(std::uint16_t usagePage, std::uint8_t usage);

// The monitor's HID report descriptor, as a real device would hand it to the host.
const std::vector<std::uint8_t>& simulatedMonitorDescriptor();
// The same monitor behind a consumer control collection (volume keys, input report 7): its
// vendor feature reports sit in the second top-level collection of the node.
const std::vector<std::uint8_t>& simulatedTwoCollectionDescriptor();

}  // namespace grayden
