#include "engine/ConformanceCriteria.h"

#include <cmath>

namespace grayden {

namespace {

// A ratio worked out from luminances that give the limit exactly (170 / 0.68) may round a hair
// below it; that still meets the limit.
bool atLeast(double value, double limit) { return value >= limit * (1 - 1e-12); }

}  // namespace

std::optional<ConformanceCriteria> findCriteria(std::string_view name) {
    for (const ConformanceCriteria& criteria : NamedCriteria) {
        if (criteria.name == name) return criteria;
    }
    return std::nullopt;
}

ConformanceVerdict judgeConformance(const ConformanceReport& report, const ConformanceCriteria& criteria) {
    ConformanceVerdict v;
    const double lowest = report.steps.front().lowerLuminance;
    const double highest = report.steps.back().upperLuminance;
    v.minLuminance = lowest - report.ambient;
    v.maxLuminance = highest - report.ambient;
    v.luminanceRatio = highest / lowest;
    v.jndSpan = report.lastJndIndex - report.firstJndIndex;
    v.checks.push_back({CheckKind::ContrastResponse, report.largestDeviationPercent, criteria.contrastTolerancePercent,
                        std::abs(report.largestDeviationPercent) <= criteria.contrastTolerancePercent});
    if (criteria.minMaxLuminance > 0) {
        v.checks.push_back({CheckKind::MaxLuminance, v.maxLuminance, criteria.minMaxLuminance,
                            atLeast(v.maxLuminance, criteria.minMaxLuminance)});
    }
    if (criteria.minLuminanceRatio > 0) {
        v.checks.push_back({CheckKind::LuminanceRatio, v.luminanceRatio, criteria.minLuminanceRatio,
                            atLeast(v.luminanceRatio, criteria.minLuminanceRatio)});
    }
    v.passed = true;
    for (const ConformanceCheck& check : v.checks) v.passed = v.passed && check.passed;
    return v;
}

}  // namespace grayden
