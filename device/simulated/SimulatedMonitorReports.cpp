#include "device/simulated/SimulatedMonitorReports.h"

#include "device/MonitorProtocol.h"

namespace grayden {

const std::array<SimulatedReport, 6> simulatedReports = {{
    {IdentificationReport, VendorPageA, UsageModelName, ModelNameLength, ReportAccess::GetOnly},
    {ModeReport, VendorPageA, UsageMode, RegisterLength, ReportAccess::GetAndSet},
    {GammaCodeReport, VendorPageA, UsageGammaCode, RegisterLength, ReportAccess::GetOnly},
    {StatusReport, VendorPageB, UsageStatus, RegisterLength, ReportAccess::GetOnly},
    {BlockSelectReport, VendorPageB, UsageBlockSelect, BlockSelectLength, ReportAccess::SetOnly},
    {BlockDataReport, VendorPageB, UsageBlockData, BlockBytes, ReportAccess::GetAndSet},
}};

const SimulatedReport* findSimulatedReport(std::uint8_t reportId) {
    for (const SimulatedReport& r : simulatedReports) {
        if (r.reportId == reportId) return &r;
    }
    return nullptr;
}

const SimulatedReport* findSimulatedReport(std::uint16_t usagePage, std::uint8_t usage) {
    for (const SimulatedReport& r : simulatedReports) {
        if (r.usagePage == usagePage && r.usage == usage) return &r;
    }
    return nullptr;
}

const std::vector<std::uint8_t>& simulatedMonitorDescriptor() {
    // One vendor application collection; every value is a run of 8-bit data fields.
    static const std::vector<std::uint8_t> descriptor = {
        0x06, 0x00, 0xFF,  // Usage Page (vendor 0xFF00)
        0x09, 0x01,        // Usage (0x01)
        0xA1, 0x01,        // Collection (Application)
        0x15, 0x00,        //   Logical Minimum (0)
        0x26, 0xFF, 0x00,  //   Logical Maximum (255)
        0x75, 0x08,        //   Report Size (8)
        0x85, 0x01,        //   Report ID (1)
        0x09, 0x35,        //   Usage (identification)
        0x95, 0x10,        //   Report Count (16)
        0xB1, 0x02,        //   Feature (Data, Variable, Absolute)
        0x85, 0x02,        //   Report ID (2)
        0x09, 0x15,        //   Usage (mode register)
        0x95, 0x02,        //   Report Count (2)
        0xB1, 0x02,        //   Feature (Data, Variable, Absolute)
        0x85, 0x03,        //   Report ID (3)
        0x09, 0x66,        //   Usage (gamma code)
        0x95, 0x02,        //   Report Count (2)
        0xB1, 0x02,        //   Feature (Data, Variable, Absolute)
        0x06, 0x01, 0xFF,  //   Usage Page (vendor 0xFF01)
        0x85, 0x04,        //   Report ID (4)
        0x09, 0x47,        //   Usage (status word)
        0x95, 0x02,        //   Report Count (2)
        0xB1, 0x02,        //   Feature (Data, Variable, Absolute)
        0x85, 0x05,        //   Report ID (5)
        0x09, 0x8E,        //   Usage (block select)
        0x95, 0x01,        //   Report Count (1)
        0xB1, 0x02,        //   Feature (Data, Variable, Absolute)
        0x85, 0x06,        //   Report ID (6)
        0x09, 0x8F,        //   Usage (block data)
        0x95, 0x80,        //   Report Count (128)
        0xB1, 0x02,        //   Feature (Data, Variable, Absolute)
        0xC0,              // End Collection
    };
    return descriptor;
}

const std::vector<std::uint8_t>& simulatedTwoCollectionDescriptor() {
    static const std::vector<std::uint8_t> descriptor = [] {
        std::vector<std::uint8_t> bytes = {
            0x05, 0x0C,  // Usage Page (Consumer)
            0x09, 0x01,  // Usage (Consumer Control)
            0xA1, 0x01,  // Collection (Application)
            0x85, 0x07,  //   Report ID (7)
            0x15, 0x00,  //   Logical Minimum (0)
            0x25, 0x01,  //   Logical Maximum (1)
            0x75, 0x01,  //   Report Size (1)
            0x95, 0x02,  //   Report Count (2)
            0x09, 0xE9,  //   Usage (Volume Increment)
            0x09, 0xEA,  //   Usage (Volume Decrement)
            0x81, 0x02,  //   Input (Data, Variable, Absolute)
            0x95, 0x06,  //   Report Count (6)
            0x81, 0x03,  //   Input (Constant): padding
            0xC0,        // End Collection
        };
        const auto& monitor = simulatedMonitorDescriptor();
        bytes.insert(bytes.end(), monitor.begin(), monitor.end());
        return bytes;
    }();
    return descriptor;
}

}  // namespace grayden
