// Engine speed: the interpolation a drag recomputes on every move, the install, and tone-file
// loading from a normal file and from one just under the size limit.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "engine/CurveModel.h"
#include "engine/GammaCurves.h"
#include "engine/Spline.h"
#include "engine/ToneFile.h"
#include "tests/support/LiteralSpline.h"

namespace {

using namespace grayden;

void interpolate(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const ControlPointArray points = samplePoints(makeDefaultCurve(2.2), n);
    for (auto _ : state) benchmark::DoNotOptimize(interpolateTable(points, n));
}
BENCHMARK(interpolate)->Arg(9)->Arg(33)->Arg(256)->Unit(benchmark::kMicrosecond);

// The word-for-word walk, for comparison with the cached one above.
void interpolateLiteral(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const ControlPointArray points = samplePoints(makeDefaultCurve(2.2), n);
    for (auto _ : state) benchmark::DoNotOptimize(testing::literalInterpolateTable(points, n));
}
BENCHMARK(interpolateLiteral)->Arg(9)->Arg(256)->Unit(benchmark::kMicrosecond);

void installSourceTable(benchmark::State& state) {
    DetachedMonitor owner;
    CurveModel model(owner);
    const ToneTable curve = makeDefaultCurve(2.2);
    for (auto _ : state) {
        model.installTable(curve);
        benchmark::DoNotOptimize(model.currentTable());
    }
}
BENCHMARK(installSourceTable)->Unit(benchmark::kMicrosecond);

std::string tempPath(const char* name) {
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir && *dir ? dir : "/tmp") + "/grayden-bench-" + std::to_string(::getpid()) + "-" + name;
}

void loadNormalToneFile(benchmark::State& state) {
    const std::string path = tempPath("normal.csv");
    std::ofstream(path, std::ios::binary) << formatToneText(makeDefaultCurve(2.2));
    ToneTable table{};
    for (auto _ : state) {
        if (readToneFile(path, table) != ToneFileError::None) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(table);
    }
    ::unlink(path.c_str());
}
BENCHMARK(loadNormalToneFile)->Unit(benchmark::kMicrosecond);

// Numbers and single spaces up to just under 64 MiB, with the only comma at the very end:
// every field search must cross the whole text, which a rescanning reader pays for 255 times.
void loadLargestToneFile(benchmark::State& state) {
    const std::string path = tempPath("large.csv");
    {
        std::string text;
        text.reserve(MaxToneFileBytes);
        const std::string unit = "8160 1234 0 77 ";
        while (text.size() + unit.size() + 1 < MaxToneFileBytes) text += unit;
        text += ',';
        std::ofstream(path, std::ios::binary) << text;
    }
    ToneTable table{};
    for (auto _ : state) benchmark::DoNotOptimize(readToneFile(path, table));
    ::unlink(path.c_str());
}
BENCHMARK(loadLargestToneFile)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
