#pragma once

#include <array>
#include <cstdint>

namespace grayden {

// Output levels run from 0 to 255 × 32 on the monitor's scale.
constexpr int LevelCount = 256;
constexpr int FullScale = 8160;

// One output level per input level 0..255; a plain value, copied whole.
using ToneTable = std::array<std::uint16_t, LevelCount>;

// The straight line 32·i, the table of a monitor that passes its input through.
ToneTable identityTable();

}  // namespace grayden
