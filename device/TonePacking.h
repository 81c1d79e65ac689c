#pragma once

#include <cstdint>

namespace grayden {

// One output level as the monitor stores it: a 10-bit mantissa m in bits 0..9 and an exponent
// code x from bit 10 up, worth m × 8 ÷ 2^x.
constexpr int MaxPackableLevel = 8187;

// Rounds half up to the mantissa step of the level's range; levels above MaxPackableLevel
// saturate to it, since the exponent code cannot go below 0.
std::uint16_t packToneLevel(int level);
// Bit 15 is ignored; exponent codes above 3 give m × 8 ÷ 2^x rounded half up.
std::uint16_t unpackToneWord(std::uint16_t word);

}  // namespace grayden
