// Table transfers through the simulated monitor: everything but the USB wire is the real code.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "device/MonitorSession.h"
#include "device/hid/DeviceList.h"
#include "device/hid/HidReportChannel.h"
#include "device/simulated/SimulatedMonitorPlatform.h"
#include "engine/GammaCurves.h"

namespace grayden {
namespace {

// A monitor session over one simulated platform, connected and ready.
struct Bench {
    explicit Bench(SimulatedMonitorPlatform& sim) : devices(sim), channel(sim), session(channel, devices, nullptr) {}
    bool connect() { return session.connect() == SessionError::None; }
    DeviceList devices;
    HidReportChannel channel;
    MonitorSession session;
};

void BM_WriteTable(benchmark::State& state) {
    SimulatedMonitorPlatform sim;
    Bench b(sim);
    if (!b.connect()) state.SkipWithError("no simulated monitor");
    const ToneTable table = makeDefaultCurve(1.8);
    for (auto _ : state) {
        if (b.session.writeTable(TableBank::Preview, table) != SessionError::None) state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_WriteTable)->Unit(benchmark::kMillisecond);

void BM_ReadCustomTable(benchmark::State& state) {
    SimulatedMonitorPlatform sim;
    Bench b(sim);
    if (!b.connect() || b.session.writeTable(TableBank::Stored, makeDefaultCurve(1.8)) != SessionError::None) {
        state.SkipWithError("no simulated monitor");
    }
    ToneTable table{};
    for (auto _ : state) {
        if (b.session.readTable(TableBank::Stored, DefaultPanelGamma, table) != SessionError::None)
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(BM_ReadCustomTable)->Unit(benchmark::kMicrosecond);

// With a state file every block write also rewrites the file (with fsync): the cost a
// demonstration with GRAYDEN_SIMULATOR pays per preview.
void BM_WriteTableWithStateFile(benchmark::State& state) {
    const std::string path =
        (std::filesystem::temp_directory_path() / ("grayden-bench-" + std::to_string(::getpid()) + ".state")).string();
    std::filesystem::remove(path);
    std::string error;
    auto sim = SimulatedMonitorPlatform::fromStateFile(path, error);
    if (!sim) {
        state.SkipWithError(error.c_str());
        return;
    }
    Bench b(*sim);
    if (!b.connect()) state.SkipWithError("no simulated monitor");
    ToneTable table = makeDefaultCurve(1.8);
    for (auto _ : state) {
        table[0] ^= 8;  // a change every time, so every block write is stored
        if (b.session.writeTable(TableBank::Preview, table) != SessionError::None) state.SkipWithError("write failed");
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_WriteTableWithStateFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace grayden
