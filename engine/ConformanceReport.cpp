#include "engine/ConformanceReport.h"

#include <cmath>

#include "engine/Gsdf.h"

namespace grayden {

namespace {

// ΔL / L̄ per just-noticeable difference, with L̄ the mean of the two luminances.
double contrastResponse(double lower, double upper, double jndSpan) {
    return 2 * (upper - lower) / ((upper + lower) * jndSpan);
}

}  // namespace

double ConformanceReport::expectedLuminance(double level) const {
    const double fraction = (level - firstLevel) / (lastLevel - firstLevel);
    return gsdfLuminance(firstJndIndex + (lastJndIndex - firstJndIndex) * fraction);
}

GsdfProblem makeConformanceReport(std::span<const Measurement> measurements, const ConformanceOptions& options,
                                  ConformanceReport& report) {
    if (!(options.ambient >= 0) || !std::isfinite(options.ambient)) return {GsdfError::AmbientNegative, 0};
    if (const GsdfProblem problem = checkMeasurements(measurements, options.ambient); !problem.ok()) return problem;
    ConformanceReport r;
    r.ambient = options.ambient;
    r.tolerancePercent = options.tolerancePercent;
    r.firstLevel = measurements.front().level;
    r.lastLevel = measurements.back().level;
    r.firstJndIndex = gsdfJndIndex(measurements.front().luminance + options.ambient);
    r.lastJndIndex = gsdfJndIndex(measurements.back().luminance + options.ambient);
    if (!(r.lastJndIndex > r.firstJndIndex)) return {GsdfError::ResponseFlat, 0};

    const double jndPerLevel = (r.lastJndIndex - r.firstJndIndex) / (r.lastLevel - r.firstLevel);
    r.passed = true;
    for (std::size_t k = 0; k + 1 < measurements.size(); ++k) {
        ConformanceStep s;
        s.lowerLevel = measurements[k].level;
        s.upperLevel = measurements[k + 1].level;
        s.lowerLuminance = measurements[k].luminance + options.ambient;
        s.upperLuminance = measurements[k + 1].luminance + options.ambient;
        const double jndSpan = jndPerLevel * (s.upperLevel - s.lowerLevel);
        s.observed = contrastResponse(s.lowerLuminance, s.upperLuminance, jndSpan);
        s.expected = contrastResponse(r.expectedLuminance(s.lowerLevel), r.expectedLuminance(s.upperLevel), jndSpan);
        s.deviationPercent = (s.observed - s.expected) / s.expected * 100;
        if (std::abs(s.deviationPercent) > std::abs(r.largestDeviationPercent) || k == 0) {
            r.largestDeviationPercent = s.deviationPercent;
            r.worstStep = static_cast<int>(k);
        }
        if (!(std::abs(s.deviationPercent) <= options.tolerancePercent)) r.passed = false;
        r.steps.push_back(s);
    }
    report = std::move(r);
    return {};
}

}  // namespace grayden
