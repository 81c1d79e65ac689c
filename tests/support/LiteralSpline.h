#pragma once

#include "engine/ControlPoint.h"
#include "engine/ToneTable.h"

namespace grayden::testing {

// The interpolation read word for word: a fresh segment search and evaluation at every step
// of every walk. The fast version must agree with it on every input.
ToneTable literalInterpolateTable(const ControlPointArray& points, int n);

}  // namespace grayden::testing
