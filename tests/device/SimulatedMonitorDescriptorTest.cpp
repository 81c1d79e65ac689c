#include <gtest/gtest.h>

#include "device/hid/ReportDescriptorParser.h"
#include "device/simulated/SimulatedMonitorReports.h"

namespace grayden {
namespace {

// The simulated monitor must be described to the host exactly as it answers.
TEST(SimulatedMonitorDescriptor, ParsesIntoOneValueCapabilityPerReport) {
    ParsedDescriptor parsed;
    DescriptorFault fault;
    ASSERT_TRUE(parseReportDescriptor(simulatedMonitorDescriptor(), parsed, &fault))
        << static_cast<int>(fault.problem) << " at " << fault.offset;
    ASSERT_EQ(parsed.collections.size(), 1u);
    const ParsedCollection& c = parsed.collections.front();
    EXPECT_EQ(c.caps.usagePage, 0xFF00);
    EXPECT_EQ(c.caps.usage, 0x01);
    EXPECT_TRUE(c.featureButtonCaps.empty());
    ASSERT_EQ(c.featureValueCaps.size(), simulatedReports.size());
    EXPECT_EQ(c.caps.numberFeatureValueCaps, simulatedReports.size());
    EXPECT_EQ(c.caps.featureReportByteLength, 129);
    for (std::size_t i = 0; i < simulatedReports.size(); ++i) {
        const SimulatedReport& r = simulatedReports[i];
        const ValueCapability& cap = c.featureValueCaps[i];
        SCOPED_TRACE("report " + std::to_string(r.reportId));
        EXPECT_EQ(cap.reportId, r.reportId);
        EXPECT_EQ(cap.usagePage, r.usagePage);
        EXPECT_EQ(cap.usage, r.usage);
        EXPECT_FALSE(cap.isRange);
        EXPECT_EQ(cap.bitSize, 8);
        EXPECT_EQ(cap.reportCount, r.valueLength);
        EXPECT_EQ(cap.logicalMax, 255);
        EXPECT_EQ(c.featureReportBytes.at(r.reportId), r.valueLength + 1);
    }
}

}  // namespace
}  // namespace grayden
