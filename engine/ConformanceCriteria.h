#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "engine/ConformanceReport.h"

namespace grayden {

// What a display must show to pass: the contrast response of every step within a tolerance of
// the greyscale standard's, and where the set asks for them, a least maximum luminance and a
// least luminance ratio. A limit of 0 is not checked.
struct ConformanceCriteria {
    std::string_view name;  // as chosen on the command line and kept in the history
    double contrastTolerancePercent = DefaultTolerancePercent;
    double minMaxLuminance = 0;    // cd/m²
    double minLuminanceRatio = 0;  // L'max / L'min, ambient light included
};

// The acceptance criteria of AAPM On-line Report No. 03 (TG18) for the luminance response:
// primary (diagnostic) and secondary displays.
constexpr ConformanceCriteria Tg18Primary{"tg18-primary", 10, 170, 250};
constexpr ConformanceCriteria Tg18Secondary{"tg18-secondary", 20, 100, 100};
constexpr ConformanceCriteria NamedCriteria[] = {Tg18Primary, Tg18Secondary};

// The named set, or none when no set has that name.
std::optional<ConformanceCriteria> findCriteria(std::string_view name);

enum class CheckKind { ContrastResponse, MaxLuminance, LuminanceRatio };

// One check of a report: what was found, the limit it was held to and whether it passed. The
// contrast response's value is the largest deviation (with its sign) and its limit the tolerance.
struct ConformanceCheck {
    CheckKind kind = CheckKind::ContrastResponse;
    double value = 0;
    double limit = 0;
    bool passed = false;
};

// The luminances a report rests on and the checks made of them. An ambient that was not
// measured counts as 0 and is no check of its own.
struct ConformanceVerdict {
    double minLuminance = 0;  // the darkest and brightest measured levels, as measured
    double maxLuminance = 0;
    double luminanceRatio = 0;  // (Lmax + ambient) / (Lmin + ambient)
    double jndSpan = 0;         // just-noticeable differences from L'min to L'max
    std::vector<ConformanceCheck> checks;
    bool passed = false;  // every check passed
};

// The report must have been made with the criteria's tolerance.
ConformanceVerdict judgeConformance(const ConformanceReport& report, const ConformanceCriteria& criteria);

}  // namespace grayden
