#pragma once

#include <span>
#include <vector>

#include "engine/GsdfError.h"
#include "engine/Measurements.h"

namespace grayden {

constexpr double DefaultTolerancePercent = 10.0;

// The contrast response of one step between neighbouring measured levels: the luminance
// difference over the mean luminance, per just-noticeable difference the step should span.
struct ConformanceStep {
    int lowerLevel = 0;
    int upperLevel = 0;
    double lowerLuminance = 0;  // measured, ambient light included
    double upperLuminance = 0;
    double observed = 0;          // of the measured luminances
    double expected = 0;          // of the greyscale standard over the same step
    double deviationPercent = 0;  // (observed − expected) / expected × 100
};

struct ConformanceReport {
    std::vector<ConformanceStep> steps;
    // The index range the display spans, from its darkest to its brightest measured level.
    int firstLevel = 0;
    int lastLevel = 0;
    double firstJndIndex = 0;
    double lastJndIndex = 0;
    double ambient = 0;  // cd/m² added to every measurement
    double tolerancePercent = 0;
    double largestDeviationPercent = 0;  // of the step with the largest magnitude, with its sign
    int worstStep = 0;
    bool passed = false;  // every step within the tolerance

    // The luminance the standard asks for at an input level within the measured span.
    double expectedLuminance(double level) const;
};

struct ConformanceOptions {
    double ambient = 0;  // cd/m² of reflected room light, added to every measurement
    double tolerancePercent = DefaultTolerancePercent;
};

// Compares measured levels (at least MinMeasurementCount, levels rising) with the greyscale
// standard: the display's index range runs from its first to its last measured luminance and
// is spread evenly over the input levels between them. Luminances with ambient light must lie
// within 0.05..4000 and the last must be above the first.
GsdfProblem makeConformanceReport(std::span<const Measurement> measurements, const ConformanceOptions& options,
                                  ConformanceReport& report);

}  // namespace grayden
