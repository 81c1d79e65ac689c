#include "device/TonePacking.h"

#include <algorithm>

namespace grayden {

std::uint16_t packToneLevel(int level) {
    const int v = std::clamp(level, 0, MaxPackableLevel);
    int s = 0;
    for (int t = v; t > 1023; t /= 2) ++s;
    const int d = 1 << s;
    int m = (v + d / 2) / d;
    if (m > 1023) {  // rounding carried into the next range
        m /= 2;
        ++s;
    }
    return static_cast<std::uint16_t>(m | ((3 - s) << 10));
}

std::uint16_t unpackToneWord(std::uint16_t word) {
    const unsigned m = word & 0x03FFu;
    const unsigned x = (word >> 10) & 0x1Fu;
    // m × 8 ÷ 2^x + 0.5, in integers: exact for x ≤ 3, halves up beyond.
    if (x <= 3) return static_cast<std::uint16_t>(m << (3 - x));
    const unsigned shift = x - 3;
    return static_cast<std::uint16_t>((m + (1u << (shift - 1))) >> shift);
}

}  // namespace grayden
