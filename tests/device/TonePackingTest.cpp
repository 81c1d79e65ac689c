#include <gtest/gtest.h>

#include "device/TonePacking.h"
#include "engine/ToneTable.h"

namespace grayden {
namespace {

TEST(TonePacking, DocumentedWords) {
    EXPECT_EQ(packToneLevel(0), 0x0C00);
    EXPECT_EQ(packToneLevel(1023), 0x0FFF);
    EXPECT_EQ(packToneLevel(1024), 0x0A00);
    EXPECT_EQ(packToneLevel(1025), 0x0A01);
    EXPECT_EQ(packToneLevel(2047), 0x0600);
    EXPECT_EQ(packToneLevel(8160), 0x03FC);
    EXPECT_EQ(unpackToneWord(0x0A01), 1026);
    EXPECT_EQ(unpackToneWord(0x0600), 2048);
}

// The quantised value: the nearest multiple of the range's step, halves rounded up.
int quantised(int level) {
    int step = 1;
    for (int t = level; t > 1023; t /= 2) step *= 2;
    const int q = (level + step / 2) / step * step;
    return q;
}

TEST(TonePacking, EveryLevelRoundTripsToItsQuantisedValue) {
    for (int v = 0; v <= FullScale; ++v) {
        const std::uint16_t word = packToneLevel(v);
        ASSERT_EQ(word & 0xF000, 0) << "exponent code beyond 3 for " << v;
        ASSERT_EQ(unpackToneWord(word), quantised(v)) << v;
        if (v <= 1023) {
            ASSERT_EQ(unpackToneWord(word), v);
        }
    }
}

TEST(TonePacking, UnpackIgnoresBit15AndRoundsLargeExponentCodes) {
    EXPECT_EQ(unpackToneWord(0x8C05), 5);
    // x = 4: m × 8 ÷ 16, halves up.
    EXPECT_EQ(unpackToneWord(static_cast<std::uint16_t>((4 << 10) | 3)), 2);
    EXPECT_EQ(unpackToneWord(static_cast<std::uint16_t>((4 << 10) | 2)), 1);
    // x = 31: everything rounds to 0 or 1.
    EXPECT_EQ(unpackToneWord(static_cast<std::uint16_t>((31 << 10) | 1023)), 0);
    // x = 0: the largest level a word can carry.
    EXPECT_EQ(unpackToneWord(0x03FF), 8184);
}

TEST(TonePacking, LevelsBeyondThePackableRangeSaturate) {
    EXPECT_EQ(packToneLevel(8187), 0x03FF);
    EXPECT_EQ(packToneLevel(8188), 0x03FF);
    EXPECT_EQ(packToneLevel(65535), 0x03FF);
    EXPECT_EQ(packToneLevel(-5), packToneLevel(0));
}

}  // namespace
}  // namespace grayden
