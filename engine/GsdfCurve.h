#pragma once

#include <array>
#include <span>

#include "engine/GsdfError.h"
#include "engine/Measurements.h"
#include "engine/ToneTable.h"

namespace grayden {

// The display a greyscale-standard curve is made for.
struct GsdfTarget {
    double minLuminance = 0;  // cd/m² of the panel at drive 0
    double maxLuminance = 0;  // cd/m² of the panel at drive 8160
    double ambient = 0;       // cd/m² of room light the screen reflects, added to both
};

// None, or what is wrong with the target: both luminances with ambient light within
// 0.05..4000, the maximum above the minimum, the ambient light 0 or more.
GsdfProblem checkGsdfTarget(const GsdfTarget& target);

// The luminance each input level should show, ambient light included: equal steps of the
// just-noticeable-difference index from the darkest to the brightest. The target must pass
// checkGsdfTarget.
std::array<double, LevelCount> gsdfTargetLuminance(const GsdfTarget& target);

// The table that makes a panel of the given native gamma follow the greyscale standard.
GsdfProblem makeGsdfModelCurve(const GsdfTarget& target, double panelGamma, ToneTable& table);

// How many levels of a target ask for less light than the darkest measured or more than the
// brightest, and so are held at the end of the measured range.
struct GsdfClipping {
    int darkLevels = 0;
    int brightLevels = 0;
};

// The table that makes the measured panel follow the greyscale standard. The measurements were
// taken while measuredWith was in the monitor, so each measured level stands for the drive
// value measuredWith gives it. A target partly outside the measured luminances is clipped and
// the clipped levels counted; one with no level inside them is refused. table and clipping
// change only on success.
GsdfProblem makeGsdfMeasuredCurve(const GsdfTarget& target, std::span<const Measurement> measurements,
                                  const ToneTable& measuredWith, ToneTable& table, GsdfClipping* clipping = nullptr);

}  // namespace grayden
