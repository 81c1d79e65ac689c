#include "engine/GsdfCurve.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/GammaCurves.h"
#include "engine/Gsdf.h"
#include "engine/MonotoneCubic.h"

namespace grayden {

namespace {

// A target end equal to a measured luminance comes back through the index a hair away from it;
// far less than the step between two levels, so only levels beyond it count as clipped.
constexpr double ClipTolerance = 1e-3;

bool withinGsdf(double luminance) { return luminance >= MinGsdfLuminance && luminance <= MaxGsdfLuminance; }

// A drive value is the table's own output level: v / 8160 of full drive, rounded to the nearest
// whole level and held to 0..8160.
std::uint16_t driveLevel(double drive) {
    // Luminances near the largest doubles overflow the interpolation; no drive value is better.
    if (std::isnan(drive)) return 0;
    return static_cast<std::uint16_t>(std::lround(std::clamp(drive, 0.0, static_cast<double>(FullScale))));
}

}  // namespace

GsdfProblem checkGsdfTarget(const GsdfTarget& t) {
    if (!(t.ambient >= 0) || !std::isfinite(t.ambient)) return {GsdfError::AmbientNegative, 0};
    if (!withinGsdf(t.minLuminance + t.ambient) || !withinGsdf(t.maxLuminance + t.ambient)) {
        return {GsdfError::LuminanceOutOfRange, 0};
    }
    if (!(t.maxLuminance > t.minLuminance)) return {GsdfError::LuminanceOrder, 0};
    return {};
}

std::array<double, LevelCount> gsdfTargetLuminance(const GsdfTarget& t) {
    const double jMin = gsdfJndIndex(t.minLuminance + t.ambient);
    const double jMax = gsdfJndIndex(t.maxLuminance + t.ambient);
    std::array<double, LevelCount> target{};
    for (int i = 0; i < LevelCount; ++i) target[i] = gsdfLuminance(jMin + (jMax - jMin) * i / (LevelCount - 1));
    return target;
}

GsdfProblem makeGsdfModelCurve(const GsdfTarget& t, double panelGamma, ToneTable& table) {
    if (const GsdfProblem problem = checkGsdfTarget(t); !problem.ok()) return problem;
    if (!(panelGamma >= MinPanelGamma && panelGamma <= MaxPanelGamma)) return {GsdfError::PanelGammaOutOfRange, 0};
    const std::array<double, LevelCount> target = gsdfTargetLuminance(t);
    const double span = t.maxLuminance - t.minLuminance;
    for (int i = 0; i < LevelCount; ++i) {
        // The panel gives Lmin + span·(v/8160)^γ; the screen adds the ambient light.
        const double fraction = std::max(0.0, (target[i] - t.ambient - t.minLuminance) / span);
        table[i] = driveLevel(FullScale * std::pow(fraction, 1 / panelGamma));
    }
    return {};
}

GsdfProblem makeGsdfMeasuredCurve(const GsdfTarget& t, std::span<const Measurement> measurements,
                                  const ToneTable& measuredWith, ToneTable& table, GsdfClipping* clipping) {
    if (const GsdfProblem problem = checkGsdfTarget(t); !problem.ok()) return problem;
    if (const GsdfProblem problem = checkMeasurements(measurements, t.ambient); !problem.ok()) return problem;

    // Each measured level is a point of the panel's response at the drive value the table gave
    // it. A table may give several levels one drive value (their light is averaged) and need
    // not rise, so the points are ordered by drive value.
    struct Point {
        double drive;
        double luminance;
        int line;
    };
    std::vector<Point> points;
    points.reserve(measurements.size());
    for (const Measurement& m : measurements) {
        points.push_back({static_cast<double>(clampLevel(measuredWith[m.level])), m.luminance, m.line});
    }
    std::stable_sort(points.begin(), points.end(), [](const Point& a, const Point& b) { return a.drive < b.drive; });
    std::vector<double> drives;
    std::vector<double> luminances;
    for (std::size_t k = 0; k < points.size();) {
        std::size_t end = k;
        double sum = 0;
        for (; end < points.size() && points[end].drive == points[k].drive; ++end) sum += points[end].luminance;
        const double luminance = sum / static_cast<double>(end - k);
        if (!luminances.empty() && luminance < luminances.back())
            return {GsdfError::ResponseDecreasing, points[k].line};
        drives.push_back(points[k].drive);
        luminances.push_back(luminance);
        k = end;
    }
    MonotoneCubic response;
    if (drives.size() < 2 || !(luminances.back() > luminances.front()) || !response.fit(drives, luminances)) {
        return {GsdfError::ResponseFlat, 0};
    }

    // Light below the measured range gives the lowest measured drive value and light above it the
    // highest; within it, the lowest drive value that reaches it, so a flat stretch of the
    // response gives its start. Rising targets give drive values that never fall.
    const std::array<double, LevelCount> target = gsdfTargetLuminance(t);
    const double darkest = (luminances.front() + t.ambient) * (1 - ClipTolerance);
    const double brightest = (luminances.back() + t.ambient) * (1 + ClipTolerance);
    GsdfClipping clipped;
    ToneTable result{};
    for (int i = 0; i < LevelCount; ++i) {
        if (target[i] < darkest) ++clipped.darkLevels;
        if (target[i] > brightest) ++clipped.brightLevels;
        result[i] = driveLevel(response.lowestReaching(target[i] - t.ambient));
        if (i > 0) result[i] = std::max(result[i], result[i - 1]);
    }
    if (clipped.darkLevels + clipped.brightLevels == LevelCount) return {GsdfError::TargetOutsideMeasured, 0};
    table = result;
    if (clipping) *clipping = clipped;
    return {};
}

}  // namespace grayden
