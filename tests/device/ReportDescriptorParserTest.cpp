#include <gtest/gtest.h>

#include "TestDescriptors.h"
#include "device/hid/ReportDescriptorParser.h"

namespace grayden {
namespace {

using testdescriptors::Bytes;
using testdescriptors::inApplication;

ParsedDescriptor parsed(const Bytes& descriptor) {
    ParsedDescriptor out;
    DescriptorFault fault;
    EXPECT_TRUE(parseReportDescriptor(descriptor, out, &fault))
        << "problem " << static_cast<int>(fault.problem) << " at byte " << fault.offset;
    return out;
}

ParsedCollection onlyCollection(const Bytes& descriptor) {
    ParsedDescriptor out = parsed(descriptor);
    EXPECT_EQ(out.collections.size(), 1u);
    return out.collections.empty() ? ParsedCollection{} : out.collections.front();
}

void expectButton(const ButtonCapability& cap, std::uint16_t page, std::uint16_t usage, std::uint16_t usageMax,
                  bool isRange) {
    EXPECT_EQ(cap.usagePage, page);
    EXPECT_EQ(cap.usage, usage);
    EXPECT_EQ(cap.usageMax, usageMax);
    EXPECT_EQ(cap.isRange, isRange);
}

void expectValue(const ValueCapability& cap, std::uint16_t usage, std::uint8_t reportId, std::uint16_t bitSize,
                 std::uint16_t reportCount) {
    EXPECT_EQ(cap.usage, usage);
    EXPECT_EQ(cap.reportId, reportId);
    EXPECT_EQ(cap.bitSize, bitSize);
    EXPECT_EQ(cap.reportCount, reportCount);
}

TEST(ReportDescriptorParser, BootKeyboard) {
    const ParsedCollection c = onlyCollection(testdescriptors::BootKeyboard);
    EXPECT_EQ(c.caps.usagePage, 0x01);
    EXPECT_EQ(c.caps.usage, 0x06);
    // Modifiers are one-bit variables, key codes an array: both buttons, in descriptor order.
    ASSERT_EQ(c.inputButtonCaps.size(), 2u);
    expectButton(c.inputButtonCaps[0], 0x07, 0xE0, 0xE7, true);
    expectButton(c.inputButtonCaps[1], 0x07, 0x00, 0x65, true);
    EXPECT_TRUE(c.inputValueCaps.empty());
    ASSERT_EQ(c.outputButtonCaps.size(), 1u);
    expectButton(c.outputButtonCaps[0], 0x08, 0x01, 0x05, true);
    EXPECT_EQ(c.inputReportBytes, (std::map<std::uint8_t, std::uint16_t>{{0, 9}}));
    EXPECT_EQ(c.outputReportBytes, (std::map<std::uint8_t, std::uint16_t>{{0, 2}}));
    EXPECT_TRUE(c.featureValueCaps.empty() && c.featureButtonCaps.empty() && c.featureReportBytes.empty());
    EXPECT_EQ(c.caps.inputReportByteLength, 9);
    EXPECT_EQ(c.caps.outputReportByteLength, 2);
    EXPECT_EQ(c.caps.featureReportByteLength, 0);
    EXPECT_EQ(c.caps.numberInputButtonCaps, 2);
    EXPECT_EQ(c.caps.numberOutputButtonCaps, 1);
}

TEST(ReportDescriptorParser, BootMouseSplitsOneItemOfXAndYInReverseOrder) {
    const ParsedCollection c = onlyCollection(testdescriptors::BootMouse);
    ASSERT_EQ(c.inputValueCaps.size(), 2u);
    expectValue(c.inputValueCaps[0], 0x31, 0, 8, 1);
    expectValue(c.inputValueCaps[1], 0x30, 0, 8, 1);
    for (const ValueCapability& cap : c.inputValueCaps) {
        EXPECT_EQ(cap.usagePage, 0x01);
        EXPECT_EQ(cap.logicalMin, -127);
        EXPECT_EQ(cap.logicalMax, 127);
        // Inside the physical collection, whose usage is Pointer.
        EXPECT_EQ(cap.linkCollection, 1);
        EXPECT_EQ(cap.linkUsagePage, 0x01);
        EXPECT_EQ(cap.linkUsage, 0x01);
    }
    ASSERT_EQ(c.inputButtonCaps.size(), 1u);
    expectButton(c.inputButtonCaps[0], 0x09, 1, 3, true);
    EXPECT_EQ(c.inputReportBytes.at(0), 4);
}

TEST(ReportDescriptorParser, VendorFeatureReports) {
    const ParsedCollection c = onlyCollection(testdescriptors::VendorFeatures);
    ASSERT_EQ(c.featureValueCaps.size(), 6u);
    expectValue(c.featureValueCaps[0], 0x35, 1, 8, 16);
    expectValue(c.featureValueCaps[1], 0x15, 2, 8, 2);
    expectValue(c.featureValueCaps[2], 0x66, 3, 16, 1);
    expectValue(c.featureValueCaps[3], 0x47, 4, 8, 2);
    expectValue(c.featureValueCaps[4], 0x8E, 5, 8, 1);
    expectValue(c.featureValueCaps[5], 0x8F, 6, 8, 128);  // a one-byte count of 0x80 is unsigned
    EXPECT_EQ(c.featureValueCaps[2].usagePage, 0xFF00);
    EXPECT_EQ(c.featureValueCaps[2].logicalMax, 65535);
    EXPECT_EQ(c.featureValueCaps[3].usagePage, 0xFF01);
    EXPECT_EQ(c.featureValueCaps[3].linkUsagePage, 0xFF00);
    EXPECT_EQ(c.featureValueCaps[3].linkUsage, 0x01);
    EXPECT_TRUE(c.featureButtonCaps.empty());
    // The padding behind report 3's value adds two bytes but no capability.
    const std::map<std::uint8_t, std::uint16_t> bytes = {{1, 17}, {2, 3}, {3, 5}, {4, 3}, {5, 2}, {6, 129}};
    EXPECT_EQ(c.featureReportBytes, bytes);
    EXPECT_EQ(c.caps.featureReportByteLength, 129);
    EXPECT_EQ(c.caps.numberFeatureValueCaps, 6);
}

TEST(ReportDescriptorParser, RangeOverTwoFieldsIsOneCapabilityOfCountOne) {
    const ParsedCollection c = onlyCollection(testdescriptors::FeatureRange);
    ASSERT_EQ(c.featureValueCaps.size(), 1u);
    const ValueCapability& cap = c.featureValueCaps[0];
    EXPECT_TRUE(cap.isRange);
    EXPECT_EQ(cap.usage, 0x20);
    EXPECT_EQ(cap.usageMax, 0x21);
    expectValue(cap, 0x20, 7, 8, 1);
    EXPECT_EQ(c.featureReportBytes.at(7), 3);

    // The bounds pair up in either order.
    const ParsedCollection reversed =
        onlyCollection(inApplication({0x29, 0x21, 0x19, 0x20, 0x75, 0x08, 0x95, 0x02, 0xB1, 0x02}));
    ASSERT_EQ(reversed.featureValueCaps.size(), 1u);
    EXPECT_EQ(reversed.featureValueCaps[0].usage, 0x20);
    EXPECT_EQ(reversed.featureValueCaps[0].usageMax, 0x21);
}

TEST(ReportDescriptorParser, TwoTopLevelCollectionsAndFourByteUsages) {
    const ParsedDescriptor d = parsed(testdescriptors::KeyboardAndConsumer);
    ASSERT_EQ(d.collections.size(), 2u);
    const ParsedCollection& keyboard = d.collections[0];
    ASSERT_EQ(keyboard.outputButtonCaps.size(), 1u);
    expectButton(keyboard.outputButtonCaps[0], 0x08, 1, 3, true);
    EXPECT_EQ(keyboard.outputButtonCaps[0].reportId, 1);
    EXPECT_EQ(keyboard.outputReportBytes, (std::map<std::uint8_t, std::uint16_t>{{1, 2}}));
    EXPECT_TRUE(keyboard.inputButtonCaps.empty());

    const ParsedCollection& consumer = d.collections[1];
    EXPECT_EQ(consumer.caps.usagePage, 0x0C);
    EXPECT_EQ(consumer.caps.usage, 0x01);
    // The 4-byte usages keep their own page although Generic Desktop is in force.
    ASSERT_EQ(consumer.inputButtonCaps.size(), 2u);
    expectButton(consumer.inputButtonCaps[0], 0x0C, 0xEA, 0xEA, false);
    expectButton(consumer.inputButtonCaps[1], 0x0C, 0xE9, 0xE9, false);
    EXPECT_EQ(consumer.inputButtonCaps[0].reportId, 2);
    EXPECT_EQ(consumer.inputButtonCaps[0].linkCollection, 0);
    EXPECT_EQ(consumer.inputReportBytes, (std::map<std::uint8_t, std::uint16_t>{{2, 2}}));
}

TEST(ReportDescriptorParser, VariableUsagesLastTakesTheRemainingFields) {
    // X, Y, Z over five 8-bit fields: Z gets three, emitted first.
    const ParsedCollection c =
        onlyCollection(inApplication({0x09, 0x30, 0x09, 0x31, 0x09, 0x32, 0x75, 0x08, 0x95, 0x05, 0xB1, 0x02}));
    ASSERT_EQ(c.featureValueCaps.size(), 3u);
    expectValue(c.featureValueCaps[0], 0x32, 0, 8, 3);
    expectValue(c.featureValueCaps[1], 0x31, 0, 8, 1);
    expectValue(c.featureValueCaps[2], 0x30, 0, 8, 1);

    // More usages than fields: the extra usages name nothing.
    const ParsedCollection fewer =
        onlyCollection(inApplication({0x09, 0x30, 0x09, 0x31, 0x09, 0x32, 0x75, 0x08, 0x95, 0x02, 0xB1, 0x02}));
    ASSERT_EQ(fewer.featureValueCaps.size(), 2u);
    expectValue(fewer.featureValueCaps[0], 0x31, 0, 8, 1);
    expectValue(fewer.featureValueCaps[1], 0x30, 0, 8, 1);

    // A range before a single usage uses up one field per usage of the range.
    const ParsedCollection mixed =
        onlyCollection(inApplication({0x19, 0x10, 0x29, 0x13, 0x09, 0x20, 0x75, 0x08, 0x95, 0x05, 0xB1, 0x02}));
    ASSERT_EQ(mixed.featureValueCaps.size(), 2u);
    expectValue(mixed.featureValueCaps[0], 0x20, 0, 8, 1);
    expectValue(mixed.featureValueCaps[1], 0x10, 0, 8, 1);
    EXPECT_TRUE(mixed.featureValueCaps[1].isRange);
}

TEST(ReportDescriptorParser, ButtonOrValueDependsOnArrayAndSizeOnly) {
    // One bit wide with a logical range of 0..100 is still a button.
    const ParsedCollection oneBit = onlyCollection(inApplication(
        {0x09, 0x40, 0x15, 0x00, 0x25, 0x64, 0x75, 0x01, 0x95, 0x01, 0xB1, 0x02, 0x75, 0x07, 0xB1, 0x03}));
    EXPECT_EQ(oneBit.featureButtonCaps.size(), 1u);
    EXPECT_TRUE(oneBit.featureValueCaps.empty());
    // Two bits wide with a logical range of 0..1 is a value.
    const ParsedCollection twoBits =
        onlyCollection(inApplication({0x09, 0x40, 0x15, 0x00, 0x25, 0x01, 0x75, 0x02, 0x95, 0x01, 0xB1, 0x02}));
    EXPECT_TRUE(twoBits.featureButtonCaps.empty());
    ASSERT_EQ(twoBits.featureValueCaps.size(), 1u);
    EXPECT_EQ(twoBits.featureValueCaps[0].bitSize, 2);
    // An array of 8-bit fields gives one button cap per declared usage, in reverse order.
    const ParsedCollection array = onlyCollection(
        inApplication({0x09, 0x01, 0x09, 0x02, 0x19, 0x10, 0x29, 0x12, 0x75, 0x08, 0x95, 0x01, 0xB1, 0x00}));
    ASSERT_EQ(array.featureButtonCaps.size(), 3u);
    expectButton(array.featureButtonCaps[0], 0xFF00, 0x10, 0x12, true);
    expectButton(array.featureButtonCaps[1], 0xFF00, 0x02, 0x02, false);
    expectButton(array.featureButtonCaps[2], 0xFF00, 0x01, 0x01, false);
}

TEST(ReportDescriptorParser, FieldsWithoutUsageOrCountGiveNoCapability) {
    const ParsedCollection c = onlyCollection(inApplication({
        0x85, 0x09, 0x75, 0x08, 0x95, 0x03, 0xB1, 0x03,  // three bytes of padding
        0x09, 0x50, 0x95, 0x00, 0xB1, 0x02,              // a usage with no fields
        0x09, 0x51, 0x95, 0x01, 0xB1, 0x02,              // one real byte
    }));
    ASSERT_EQ(c.featureValueCaps.size(), 1u);
    EXPECT_EQ(c.featureValueCaps[0].usage, 0x51);
    EXPECT_EQ(c.featureReportBytes.at(9), 5);
}

TEST(ReportDescriptorParser, BoundsAreSignExtendedFromTheItemWidth) {
    const ParsedCollection c = onlyCollection(inApplication({
        0x09, 0x01, 0x15, 0x80, 0x25, 0xFF, 0x35, 0x00, 0x46, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x01, 0xB1, 0x02,
        0x09, 0x02, 0x16, 0x00, 0x80, 0x27, 0xFF, 0xFF, 0xFF, 0x7F, 0x36, 0xFF, 0xFF, 0x44, 0xB1, 0x02,
    }));
    ASSERT_EQ(c.featureValueCaps.size(), 2u);
    EXPECT_EQ(c.featureValueCaps[0].logicalMin, -128);
    EXPECT_EQ(c.featureValueCaps[0].logicalMax, -1);  // 0xFF in one byte, as Windows reads it
    EXPECT_EQ(c.featureValueCaps[0].physicalMin, 0);
    EXPECT_EQ(c.featureValueCaps[0].physicalMax, 255);
    EXPECT_EQ(c.featureValueCaps[1].logicalMin, -32768);
    EXPECT_EQ(c.featureValueCaps[1].logicalMax, 2147483647);
    EXPECT_EQ(c.featureValueCaps[1].physicalMin, -1);
    EXPECT_EQ(c.featureValueCaps[1].physicalMax, 0);  // a zero-byte item
}

TEST(ReportDescriptorParser, ReportIdAndUsagePageFollowPushAndPop) {
    const ParsedCollection c = onlyCollection(inApplication({
        0x85, 0x02, 0x75, 0x08, 0x95, 0x01,
        0xA4,                                                              // Push
        0x85, 0x03, 0x06, 0x01, 0xFF, 0x75, 0x10, 0x09, 0x10, 0xB1, 0x02,  // report 3, page 0xFF01, 16 bits
        0xB4,                                                              // Pop
        0x09, 0x11, 0xB1, 0x02,                                            // report 2, page 0xFF00, 8 bits
    }));
    ASSERT_EQ(c.featureValueCaps.size(), 2u);
    expectValue(c.featureValueCaps[0], 0x10, 3, 16, 1);
    EXPECT_EQ(c.featureValueCaps[0].usagePage, 0xFF01);
    expectValue(c.featureValueCaps[1], 0x11, 2, 8, 1);
    EXPECT_EQ(c.featureValueCaps[1].usagePage, 0xFF00);
    EXPECT_EQ(c.featureReportBytes, (std::map<std::uint8_t, std::uint16_t>{{2, 2}, {3, 3}}));

    // Without any Report ID item every report is report 0.
    const ParsedCollection unnumbered = onlyCollection(inApplication({0x09, 0x11, 0x75, 0x08, 0x95, 0x01, 0xB1, 0x02}));
    ASSERT_EQ(unnumbered.featureValueCaps.size(), 1u);
    EXPECT_EQ(unnumbered.featureValueCaps[0].reportId, 0);
    EXPECT_EQ(unnumbered.featureReportBytes, (std::map<std::uint8_t, std::uint16_t>{{0, 2}}));
}

TEST(ReportDescriptorParser, LinkCollectionIsTheInnermostOpenOne) {
    const ParsedCollection c = onlyCollection(inApplication({
        0x75, 0x08, 0x95, 0x01, 0x09, 0x05, 0xA1, 0x02,  // Collection 1 (Logical), usage 5
        0x06, 0x01, 0xFF, 0xA1, 0x02,                    //   Collection 2, no usage, page 0xFF01
        0x09, 0x21, 0xB1, 0x02,                          //     field in 2
        0xC0, 0x09, 0x22, 0xB1, 0x02,                    //   field in 1
        0xC0, 0x09, 0x23, 0xB1, 0x02,                    // field in the top-level collection
    }));
    ASSERT_EQ(c.featureValueCaps.size(), 3u);
    const ValueCapability& inner = c.featureValueCaps[0];
    EXPECT_EQ(inner.linkCollection, 2);
    EXPECT_EQ(inner.linkUsagePage, 0xFF01);
    EXPECT_EQ(inner.linkUsage, 0);
    const ValueCapability& middle = c.featureValueCaps[1];
    EXPECT_EQ(middle.linkCollection, 1);
    EXPECT_EQ(middle.linkUsagePage, 0xFF00);
    EXPECT_EQ(middle.linkUsage, 5);
    const ValueCapability& top = c.featureValueCaps[2];
    EXPECT_EQ(top.linkCollection, 0);
    EXPECT_EQ(top.linkUsage, 1);
}

TEST(ReportDescriptorParser, OnlyTheFirstUsageOfADelimitedSetCounts) {
    const ParsedCollection c = onlyCollection(inApplication({
        0xA9,
        0x01,
        0x09,
        0x30,
        0x09,
        0x31,
        0xA9,
        0x00,  // one usage with an alias
        0x75,
        0x08,
        0x95,
        0x01,
        0xB1,
        0x02,
    }));
    ASSERT_EQ(c.featureValueCaps.size(), 1u);
    EXPECT_EQ(c.featureValueCaps[0].usage, 0x30);
}

TEST(ReportDescriptorParser, FieldsOutsideEveryCollectionBelongToNone) {
    ParsedDescriptor d = parsed({0x09, 0x01, 0x75, 0x08, 0x95, 0x01, 0xB1, 0x02});
    EXPECT_TRUE(d.collections.empty());
    EXPECT_TRUE(parsed({}).collections.empty());
}

}  // namespace
}  // namespace grayden
