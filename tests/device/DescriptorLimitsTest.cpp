#include <gtest/gtest.h>

#include <memory>

#include "TestDescriptors.h"
#include "device/hid/ReportDescriptorParser.h"

namespace grayden {
namespace {

using testdescriptors::Bytes;
using testdescriptors::inApplication;

Bytes repeated(const Bytes& part, std::size_t times) {
    Bytes out;
    for (std::size_t i = 0; i < times; ++i) {
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts) {
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

// A descriptor of exactly `size` bytes: one collection filled with zero-byte Physical Minimum items.
Bytes ofSize(std::size_t size) { return inApplication(Bytes(size - 8, 0x34)); }

struct Rejected {
    const char* name;
    Bytes descriptor;
    DescriptorProblem problem;
    std::size_t offset;
};

TEST(DescriptorLimits, RejectedDescriptorsSayWhatAndWhere) {
    using P = DescriptorProblem;
    const Bytes bigFeature = {0x75, 0x08, 0x96, 0x00, 0x30, 0xB1, 0x03};  // 12288 padding bytes
    const std::vector<Rejected> table = {
        {"longer than 4096 bytes", ofSize(4097), P::TooLong, 4096},
        {"data past the end", {0x75}, P::TruncatedItem, 0},
        {"four-byte data cut short", {0x09, 0x01, 0x27, 0xFF, 0xFF}, P::TruncatedItem, 2},
        {"long item", {0xFE, 0x02, 0x10, 0x00, 0x00}, P::LongItem, 0},
        {"reserved global tag", {0xC5, 0x00}, P::UnknownGlobalItem, 0},
        {"fifth push", repeated({0xA4}, 5), P::GlobalStackOverflow, 4},
        {"pop with nothing pushed", {0xA4, 0xB4, 0xB4}, P::GlobalStackUnderflow, 2},
        {"end without collection", {0xA1, 0x01, 0xC0, 0xC0}, P::UnopenedCollection, 3},
        {"collection left open", {0xA1, 0x01, 0xA1, 0x00, 0xC0}, P::UnclosedCollection, 5},
        {"65 nested collections", concat({repeated({0xA1, 0x00}, 65), repeated({0xC0}, 65)}), P::CollectionTooDeep,
         128},
        {"report id 0", {0x85, 0x00}, P::InvalidReportId, 0},
        {"report id 256", {0x86, 0x00, 0x01}, P::InvalidReportId, 0},
        {"report size 257", {0x76, 0x01, 0x01}, P::ReportSizeTooLarge, 0},
        {"report count 12289", {0x96, 0x01, 0x30}, P::ReportCountTooLarge, 0},
        {"report of 16384 bytes", concat({bigFeature, {0x96, 0x00, 0x10, 0xB1, 0x03}}), P::ReportTooLong, 10},
        {"same report id across collections",
         concat({inApplication(bigFeature), inApplication({0x75, 0x08, 0x96, 0x00, 0x10, 0xB1, 0x03})}),
         P::ReportTooLong, 27},
        {"range of 12289 usages", inApplication({0x19, 0x00, 0x2A, 0x00, 0x30, 0x75, 0x01, 0x95, 0x01, 0xB1, 0x02}),
         P::TooManyUsages, 16},
        {"usages summing past 12288",
         inApplication({0x19, 0x00, 0x2A, 0xFF, 0x2F, 0x09, 0x01, 0x75, 0x01, 0x95, 0x01, 0xB1, 0x02}),
         P::TooManyUsages, 18},
        {"range maximum below minimum", inApplication({0x19, 0x05, 0x29, 0x04, 0x75, 0x08, 0x95, 0x01, 0xB1, 0x02}),
         P::InvalidUsageRange, 15},
        {"range across usage pages",
         inApplication({0x1B, 0x01, 0x00, 0x01, 0x00, 0x2B, 0x02, 0x00, 0x02, 0x00, 0xA1, 0x00, 0xC0}),
         P::InvalidUsageRange, 17},
        {"nested delimiter", {0xA9, 0x01, 0xA9, 0x01}, P::UnbalancedDelimiter, 2},
        {"delimiter closed twice", {0xA9, 0x01, 0xA9, 0x00, 0xA9, 0x00}, P::UnbalancedDelimiter, 4},
        {"main item inside a delimiter", {0xA9, 0x01, 0x09, 0x01, 0xA1, 0x01, 0xC0}, P::UnbalancedDelimiter, 4},
    };
    for (const Rejected& row : table) {
        ParsedDescriptor out;
        out.collections.resize(1);  // stale contents must not survive a rejection
        DescriptorFault fault;
        EXPECT_FALSE(parseReportDescriptor(row.descriptor, out, &fault)) << row.name;
        EXPECT_EQ(fault.problem, row.problem) << row.name;
        EXPECT_EQ(fault.offset, row.offset) << row.name;
        EXPECT_TRUE(out.collections.empty()) << row.name;
    }
}

TEST(DescriptorLimits, EveryLimitItselfIsAccepted) {
    const Bytes bigFeature = {0x75, 0x08, 0x96, 0x00, 0x30, 0xB1, 0x03};
    const std::vector<std::pair<const char*, Bytes>> table = {
        {"4096 bytes", ofSize(4096)},
        {"four pushes", concat({repeated({0xA4}, 4), repeated({0xB4}, 4)})},
        {"64 nested collections", concat({repeated({0xA1, 0x00}, 64), repeated({0xC0}, 64)})},
        {"report ids 1 and 255", {0x85, 0x01, 0x85, 0xFF}},
        {"report size 256 and count 12288", {0x76, 0x00, 0x01, 0x96, 0x00, 0x30}},
        {"report of 16383 bytes", inApplication(concat({bigFeature, {0x96, 0xFF, 0x0F, 0xB1, 0x03}}))},
        {"range of 12288 usages", inApplication({0x19, 0x00, 0x2A, 0xFF, 0x2F, 0x75, 0x01, 0x95, 0x01, 0xB1, 0x02})},
        {"reserved item types and main tags", {0x0C, 0xF1, 0x00, 0xD0}},
    };
    for (const auto& [name, descriptor] : table) {
        ParsedDescriptor out;
        DescriptorFault fault;
        EXPECT_TRUE(parseReportDescriptor(descriptor, out, &fault))
            << name << ": problem " << static_cast<int>(fault.problem) << " at " << fault.offset;
    }
}

TEST(DescriptorLimits, LargestReportIsExactlyTheKernelBuffer) {
    // 12288 value bytes and 4095 bytes of padding: with its id the report fills the buffer.
    ParsedDescriptor out;
    ASSERT_TRUE(parseReportDescriptor(
        inApplication({0x85, 0x01, 0x09, 0x10, 0x75, 0x08, 0x96, 0x00, 0x30, 0xB1, 0x02, 0x96, 0xFF, 0x0F, 0xB1, 0x03}),
        out));
    const ParsedCollection& c = out.collections.at(0);
    ASSERT_EQ(c.featureValueCaps.size(), 1u);
    EXPECT_EQ(c.featureValueCaps[0].reportCount, 12288);
    EXPECT_EQ(c.featureReportBytes.at(1), HidMaxBufferSize);
    EXPECT_EQ(c.caps.featureReportByteLength, HidMaxBufferSize);
}

// Each prefix is copied into a buffer of exactly its size, so a read past the end is caught by
// the address sanitizer in the sanitizer build.
TEST(DescriptorLimits, EveryTruncationIsRejectedOrParsedWithinItsBytes) {
    for (const Bytes* full : testdescriptors::All) {
        ParsedDescriptor whole;
        ASSERT_TRUE(parseReportDescriptor(*full, whole));
        for (std::size_t size = 0; size < full->size(); ++size) {
            auto exact = std::make_unique<std::uint8_t[]>(size);
            std::copy(full->begin(), full->begin() + static_cast<std::ptrdiff_t>(size), exact.get());
            ParsedDescriptor out;
            if (parseReportDescriptor({exact.get(), size}, out)) {
                // Only a cut between complete top-level collections can still be a descriptor.
                EXPECT_LT(out.collections.size(), whole.collections.size()) << "prefix of " << size << " bytes";
            }
        }
    }
}

}  // namespace
}  // namespace grayden
