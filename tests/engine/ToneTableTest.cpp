#include <cmath>
#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

#include "engine/ToneTable.h"

namespace grayden {
namespace {

// One clamp serves integer file values, double curve samples and unsigned table entries.
TEST(LevelClamp, BringsEveryTypeIntoTheScaleAndKeepsLevelsInside) {
    static_assert(clampLevel(-1) == 0 && clampLevel(0) == 0 && clampLevel(FullScale) == FullScale &&
                  clampLevel(FullScale + 1) == FullScale);
    EXPECT_EQ(clampLevel(std::numeric_limits<std::int32_t>::min()), 0);
    EXPECT_EQ(clampLevel(std::numeric_limits<std::int32_t>::max()), FullScale);
    EXPECT_EQ(clampLevel(std::int64_t{1} << 40), FullScale);
    EXPECT_EQ(clampLevel(-0.4), 0.0);
    EXPECT_EQ(clampLevel(8160.4), 8160.0);
    EXPECT_EQ(clampLevel(4080.5), 4080.5);  // inside: the fraction stays for the caller's rounding
    EXPECT_EQ(clampLevel(-std::numeric_limits<double>::infinity()), 0.0);
    EXPECT_EQ(clampLevel(std::numeric_limits<double>::infinity()), 8160.0);
    EXPECT_TRUE(std::isnan(clampLevel(std::nan(""))));
    EXPECT_EQ(clampLevel(std::uint16_t{8184}), 8160);
    EXPECT_EQ(clampLevel(std::uint16_t{7}), 7);
}

}  // namespace
}  // namespace grayden
