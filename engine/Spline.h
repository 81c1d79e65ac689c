#pragma once

#include "engine/ControlPoint.h"
#include "engine/ToneTable.h"

namespace grayden {

// Takes n control points from a table at the levels fixed by n.
ControlPointArray samplePoints(const ToneTable& table, int n);

// All 256 levels from the first n points, clamped to 0..8160. n must be at least 3.
ToneTable interpolateTable(const ControlPointArray& points, int n);

}  // namespace grayden
