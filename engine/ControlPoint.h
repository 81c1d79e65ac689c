#pragma once

#include <array>
#include <cstdint>

#include "engine/ToneTable.h"

namespace grayden {

struct ControlPoint {
    std::int32_t level = 0;  // input level 0..255
    std::int32_t value = 0;  // output level 0..8160
};

// Only the first CurvePointCount[pointCountIndex] entries are live.
using ControlPointArray = std::array<ControlPoint, LevelCount>;

// The selectable numbers of control points; index 6 makes every level a point.
constexpr std::array<int, 7> CurvePointCount = {3, 5, 9, 16, 24, 33, 256};
constexpr int DefaultPointCountIndex = 2;
constexpr int AllLevelsPointCountIndex = 6;

constexpr bool isValidPointCountIndex(int index) {
    return index >= 0 && index < static_cast<int>(CurvePointCount.size());
}

// Input level of control point k among n; fixed by the count alone.
constexpr int controlPointLevel(int k, int n) { return n >= LevelCount ? k : k * 255 / (n - 1); }

}  // namespace grayden
