#pragma once

#include <array>
#include <cstdint>
#include <type_traits>

namespace grayden {

// Output levels run from 0 to 255 × 32 on the monitor's scale.
constexpr int LevelCount = 256;
constexpr int FullScale = 8160;

// A level brought into 0..FullScale, in the type it came in: the one clamp every table, file
// value and typed value goes through. A NaN passes unchanged.
template <typename T>
constexpr T clampLevel(T level) {
    if constexpr (std::is_signed_v<T>) {
        if (level < T(0)) return T(0);
    }
    return level > T(FullScale) ? T(FullScale) : level;
}

// One output level per input level 0..255; a plain value, copied whole.
using ToneTable = std::array<std::uint16_t, LevelCount>;

// The straight line 32·i, the table of a monitor that passes its input through.
ToneTable identityTable();

}  // namespace grayden
