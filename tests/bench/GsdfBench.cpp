// Greyscale-standard curves: the measured curve from 18 measurements (the goal is at most
// 50 µs), with and without reading the measurement text, the model curve and the report.
#include <benchmark/benchmark.h>

#include "engine/ConformanceReport.h"
#include "engine/GsdfCurve.h"
#include "tests/support/SyntheticPanel.h"

namespace {

using namespace grayden;

const GsdfTarget Target{0.5, 350, 0.2};

MeasurementList eighteenMeasurements() {
    return testing::measure(testing::gammaPanel(0.5, 350, 2.2), identityTable(), testing::eighteenLevels());
}

void gsdfMeasuredCurve(benchmark::State& state) {
    const MeasurementList measured = eighteenMeasurements();
    const ToneTable measuredWith = identityTable();
    ToneTable table{};
    for (auto _ : state) {
        if (!makeGsdfMeasuredCurve(Target, measured, measuredWith, table).ok()) state.SkipWithError("refused");
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(gsdfMeasuredCurve)->Unit(benchmark::kMicrosecond);

void gsdfMeasuredCurveFromText(benchmark::State& state) {
    const std::string text = testing::measurementText(eighteenMeasurements());
    const ToneTable measuredWith = identityTable();
    ToneTable table{};
    for (auto _ : state) {
        MeasurementList measured;
        if (!parseMeasurements(text, measured).ok() ||
            !makeGsdfMeasuredCurve(Target, measured, measuredWith, table).ok()) {
            state.SkipWithError("refused");
        }
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(gsdfMeasuredCurveFromText)->Unit(benchmark::kMicrosecond);

void gsdfModelCurve(benchmark::State& state) {
    ToneTable table{};
    for (auto _ : state) {
        if (!makeGsdfModelCurve(Target, 2.2, table).ok()) state.SkipWithError("refused");
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(gsdfModelCurve)->Unit(benchmark::kMicrosecond);

void conformanceReport(benchmark::State& state) {
    const MeasurementList measured = eighteenMeasurements();
    ConformanceReport report;
    for (auto _ : state) {
        if (!makeConformanceReport(measured, {}, report).ok()) state.SkipWithError("refused");
        benchmark::DoNotOptimize(report);
    }
}
BENCHMARK(conformanceReport)->Unit(benchmark::kMicrosecond);

}  // namespace
