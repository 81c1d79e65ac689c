// Feeds arbitrary bytes to the measurement reader, and what it accepts to the greyscale-standard
// curve and the conformance report: nothing may crash, a curve must rise from 0..8160 and a
// report must judge every step with finite numbers.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "engine/ConformanceReport.h"
#include "engine/GsdfCurve.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace grayden;
    MeasurementList measured;
    if (!parseMeasurements(std::string_view(reinterpret_cast<const char*>(data), size), measured).ok()) return 0;
    if (measured.size() < static_cast<std::size_t>(MinMeasurementCount)) std::abort();
    for (std::size_t k = 0; k < measured.size(); ++k) {
        const Measurement& m = measured[k];
        if (m.level < 0 || m.level > 255 || !(m.luminance > 0) || !std::isfinite(m.luminance)) std::abort();
        if (k > 0 && m.level <= measured[k - 1].level) std::abort();
    }
    // The measurements taken through a table that folds and flattens some levels.
    ToneTable measuredWith{};
    for (int i = 0; i < LevelCount; ++i) measuredWith[i] = static_cast<std::uint16_t>((i * 97) % 8161);
    for (const ToneTable& table : {identityTable(), measuredWith}) {
        ToneTable curve{};
        if (makeGsdfMeasuredCurve({0.5, 350, 0.1}, measured, table, curve).ok()) {
            for (int i = 0; i < LevelCount; ++i) {
                if (curve[i] > FullScale || (i > 0 && curve[i] < curve[i - 1])) std::abort();
            }
        }
    }
    ConformanceReport report;
    if (makeConformanceReport(measured, {}, report).ok()) {
        if (report.steps.size() + 1 != measured.size()) std::abort();
        for (const ConformanceStep& s : report.steps) {
            if (!std::isfinite(s.deviationPercent) || !std::isfinite(s.expected)) std::abort();
        }
    }
    return 0;
}
