#include <gtest/gtest.h>

#include <array>
#include <chrono>

#include "FakeHidPlatform.h"
#include "device/hid/HidReportChannel.h"

namespace grayden {
namespace {

using Frame = std::vector<std::uint8_t>;

// Records the pause among the exchanges instead of waiting, so tests see where it happens.
class ObservedChannel : public HidReportChannel {
public:
    explicit ObservedChannel(FakeHidPlatform& platform) : HidReportChannel(platform), fake_(platform) {}

protected:
    void pauseBeforeLongWrite() override { fake_.events.push_back({FakeEvent::Pause, InvalidHidHandle, {}}); }

private:
    FakeHidPlatform& fake_;
};

ValueCapability valueCap(std::uint16_t page, std::uint16_t usage, std::uint8_t reportId, std::uint16_t bitSize,
                         std::uint16_t reportCount) {
    ValueCapability cap;
    cap.usagePage = page;
    cap.usage = usage;
    cap.reportId = reportId;
    cap.bitSize = bitSize;
    cap.reportCount = reportCount;
    return cap;
}

ButtonCapability buttonCap(std::uint16_t page, std::uint16_t usage, std::uint8_t reportId, std::uint16_t linkPage = 0,
                           std::uint16_t linkUsage = 0) {
    ButtonCapability cap;
    cap.usagePage = page;
    cap.usage = usage;
    cap.reportId = reportId;
    cap.linkUsagePage = linkPage;
    cap.linkUsage = linkUsage;
    return cap;
}

class ReportChannel : public ::testing::Test {
protected:
    ReportChannel() {
        device.handle = 42;
        device.featureValueCaps = {
            valueCap(0xFF00, 0x15, 2, 8, 2),    // 2-byte value
            valueCap(0xFF00, 0x35, 1, 8, 16),   // 16-byte value
            valueCap(0xFF01, 0x8F, 6, 8, 128),  // 128-byte value
            valueCap(0xFF00, 0x20, 9, 12, 3),   // 12-bit fields: whole bytes only, 3
        };
        channel.bindDevice(&device);
    }

    std::vector<FakeEvent::Kind> kinds() const {
        std::vector<FakeEvent::Kind> out;
        for (const FakeEvent& event : platform.events) {
            out.push_back(event.kind);
        }
        return out;
    }

    FakeHidPlatform platform;
    HidDeviceInfo device;
    ObservedChannel channel{platform};
};

TEST_F(ReportChannel, LookupTakesTheLastMatchingValueCapability) {
    device.featureValueCaps.push_back(valueCap(0xFF00, 0x15, 7, 16, 4));
    device.featureValueCaps.push_back(valueCap(0xFF02, 0x15, 8, 8, 1));  // other page
    ASSERT_TRUE(channel.lookupUsage(0x15, 0xFF00));
    EXPECT_EQ(channel.reportId(), 7);
    EXPECT_EQ(channel.bitSize(), 16);
    EXPECT_EQ(channel.reportCount(), 4);
    EXPECT_EQ(channel.valueLength(), 8);
    EXPECT_EQ(channel.usagePage(), 0xFF00);
    EXPECT_FALSE(channel.notFound());

    ASSERT_TRUE(channel.lookupUsage(0x20, 0xFF00));
    EXPECT_EQ(channel.valueLength(), 3);
}

TEST_F(ReportChannel, ButtonsAreConsultedOnlyWithoutAValueMatch) {
    device.featureButtonCaps = {
        buttonCap(0xFF00, 0x15, 30),  // shadowed by the value capability
        buttonCap(0xFF00, 0x40, 31),  // direct match
        buttonCap(0xFF00, 0x41, 32),
        buttonCap(0x0009, 0x01, 33, 0xFF00, 0x41),  // link match on another page: the last wins
        buttonCap(0xFF00, 0x02, 34, 0xFF00, 0x50),  // same page: its link does not count
    };
    ASSERT_TRUE(channel.lookupUsage(0x15, 0xFF00));
    EXPECT_EQ(channel.reportId(), 2);

    ASSERT_TRUE(channel.lookupUsage(0x40, 0xFF00));
    EXPECT_EQ(channel.reportId(), 31);
    EXPECT_EQ(channel.valueLength(), 1);
    EXPECT_EQ(channel.bitSize(), 1);
    EXPECT_EQ(channel.reportCount(), 1);

    ASSERT_TRUE(channel.lookupUsage(0x41, 0xFF00));
    EXPECT_EQ(channel.reportId(), 33);
    EXPECT_EQ(channel.usagePage(), 0xFF00);

    EXPECT_FALSE(channel.lookupUsage(0x50, 0xFF00));
    EXPECT_TRUE(channel.notFound());
}

TEST_F(ReportChannel, LookupComparesTheWholeUsageAndSkipsUnframeableValues) {
    device.featureValueCaps.push_back(valueCap(0xFF00, 0x135, 3, 8, 1));
    EXPECT_FALSE(channel.lookupUsage(0x35, 0xFF01));  // the page must match too
    ASSERT_TRUE(channel.lookupUsage(0x35, 0xFF00));
    EXPECT_EQ(channel.reportId(), 1);  // 0x135 is another usage

    // A later capability whose value no 16-bit frame length can carry does not win.
    device.featureValueCaps.push_back(valueCap(0xFF00, 0x35, 4, 256, 12288));
    ASSERT_TRUE(channel.lookupUsage(0x35, 0xFF00));
    EXPECT_EQ(channel.reportId(), 1);
    EXPECT_EQ(channel.valueLength(), 16);
}

TEST_F(ReportChannel, UnboundOrUnknownUsageExchangesNothing) {
    std::array<std::uint8_t, 4> buffer;
    buffer.fill(0xEE);
    EXPECT_FALSE(channel.readValue(buffer.data(), 4, 0x99, 0xFF00));
    EXPECT_EQ(buffer, (std::array<std::uint8_t, 4>{}));
    EXPECT_FALSE(channel.writeValue(buffer.data(), 4, 0x99, 0xFF00));

    ObservedChannel unbound(platform);
    buffer.fill(0xEE);
    EXPECT_FALSE(unbound.lookupUsage(0x15, 0xFF00));
    EXPECT_FALSE(unbound.readValue(buffer.data(), 4, 0x15, 0xFF00));
    EXPECT_EQ(buffer[0], 0);
    EXPECT_FALSE(unbound.writeValue(buffer.data(), 4, 0x15, 0xFF00));
    EXPECT_FALSE(channel.readValue(nullptr, 4, 0x15, 0xFF00));
    EXPECT_FALSE(channel.writeValue(nullptr, 4, 0x15, 0xFF00));
    EXPECT_FALSE(channel.readValue(buffer.data(), -1, 0x15, 0xFF00));
    EXPECT_FALSE(channel.writeValue(buffer.data(), -1, 0x15, 0xFF00));
    EXPECT_TRUE(platform.events.empty());
}

TEST_F(ReportChannel, ReadSendsTheExactFrameAndCopiesAtMostTheValue) {
    std::array<std::uint8_t, 6> longer;
    longer.fill(0xEE);
    ASSERT_TRUE(channel.readValue(longer.data(), 6, 0x15, 0xFF00));
    ASSERT_EQ(platform.events.size(), 1u);
    EXPECT_EQ(platform.events[0].kind, FakeEvent::Get);
    EXPECT_EQ(platform.events[0].handle, 42);
    EXPECT_EQ(platform.events[0].frame, (Frame{2, 0, 0}));
    EXPECT_EQ(longer, (std::array<std::uint8_t, 6>{0xA5, 0xA5, 0, 0, 0, 0}));

    std::array<std::uint8_t, 6> shorter;
    shorter.fill(0xEE);
    ASSERT_TRUE(channel.readValue(shorter.data(), 3, 0x35, 0xFF00));
    EXPECT_EQ(platform.events[1].frame.size(), 17u);
    EXPECT_EQ(platform.events[1].frame[0], 1);
    EXPECT_EQ(shorter, (std::array<std::uint8_t, 6>{0xA5, 0xA5, 0xA5, 0xEE, 0xEE, 0xEE}));
}

TEST_F(ReportChannel, FailedReadLeavesTheBufferZero) {
    platform.exchangesFail = true;
    std::array<std::uint8_t, 16> buffer;
    buffer.fill(0xEE);
    EXPECT_FALSE(channel.readValue(buffer.data(), 16, 0x35, 0xFF00));
    EXPECT_EQ(platform.events.size(), 1u);
    EXPECT_EQ(buffer, (std::array<std::uint8_t, 16>{}));
}

TEST_F(ReportChannel, WriteZeroFillsShortValuesAndDropsExtraBytes) {
    const std::array<std::uint8_t, 4> bytes = {0x0C, 0x01, 0x77, 0x88};
    ASSERT_TRUE(channel.writeValue(bytes.data(), 4, 0x15, 0xFF00));
    ASSERT_TRUE(channel.writeValue(bytes.data(), 1, 0x15, 0xFF00));
    ASSERT_EQ(kinds(), (std::vector{FakeEvent::Set, FakeEvent::Set}));
    EXPECT_EQ(platform.events[0].frame, (Frame{2, 0x0C, 0x01}));
    EXPECT_EQ(platform.events[1].frame, (Frame{2, 0x0C, 0x00}));
    EXPECT_EQ(platform.events[0].handle, 42);

    platform.exchangesFail = true;
    EXPECT_FALSE(channel.writeValue(bytes.data(), 2, 0x15, 0xFF00));
}

TEST_F(ReportChannel, PauseComesBeforeWritesOfMoreThanSevenBytes) {
    std::array<std::uint8_t, 128> block{};
    ASSERT_TRUE(channel.writeValue(block.data(), 7, 0x8F, 0xFF01));
    EXPECT_EQ(kinds(), (std::vector{FakeEvent::Set}));
    EXPECT_EQ(platform.events[0].frame.size(), 129u);

    platform.events.clear();
    ASSERT_TRUE(channel.writeValue(block.data(), 8, 0x8F, 0xFF01));
    EXPECT_EQ(kinds(), (std::vector{FakeEvent::Pause, FakeEvent::Set}));

    // What counts is the bytes taken, not the bytes offered: 8 offered to a 2-byte value.
    platform.events.clear();
    ASSERT_TRUE(channel.writeValue(block.data(), 8, 0x15, 0xFF00));
    EXPECT_EQ(kinds(), (std::vector{FakeEvent::Set}));
}

// Notes when each report leaves, on the clock the pause runs on.
class TimedPlatform : public FakeHidPlatform {
public:
    bool setFeature(HidHandle handle, const std::uint8_t* frame, std::int16_t length) override {
        sentAt = std::chrono::steady_clock::now();
        return FakeHidPlatform::setFeature(handle, frame, length);
    }
    std::chrono::steady_clock::time_point sentAt;
};

// The real pause, not a stand-in: a long value leaves no sooner than a millisecond after the
// write began. Only a lower bound is checked, so a busy machine cannot make it fail.
TEST(ReportChannelPause, LongValueLeavesAtLeastAMillisecondAfterTheWriteBegan) {
    TimedPlatform platform;
    HidDeviceInfo device;
    device.handle = 42;
    device.featureValueCaps = {valueCap(0xFF00, 0x30, 3, 8, 8), valueCap(0xFF01, 0x8F, 6, 8, 128)};
    HidReportChannel channel(platform);
    channel.bindDevice(&device);
    std::array<std::uint8_t, 128> block{};
    for (const auto& [usage, page] : {std::pair<std::uint8_t, std::uint16_t>{0x30, 0xFF00}, {0x8F, 0xFF01}}) {
        const auto began = std::chrono::steady_clock::now();
        ASSERT_TRUE(channel.writeValue(block.data(), 128, usage, page));
        EXPECT_GE(platform.sentAt - began, std::chrono::milliseconds(1)) << "usage " << int{usage};
    }
    EXPECT_EQ(platform.events.size(), 2u);
}

}  // namespace
}  // namespace grayden
