// Table transfers through the simulated monitor: everything but the USB wire is the real code.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "device/DeviceList.h"
#include "device/HidReportChannel.h"
#include "device/MonitorLink.h"
#include "device/SimulatedMonitorPlatform.h"
#include "engine/CurveModel.h"
#include "engine/GammaCurves.h"

namespace grayden {
namespace {

class QuietFeedback : public LinkFeedback, public ModelOwner {
public:
    void showMessage(int stringId) override { lastMessage = stringId; }
    void setBusy(bool) override {}
    void refreshViews() override {}
    bool writeTableToMonitor(const ToneTable&, MonitorTable) override { return false; }
    int lastMessage = 0;
};

// The editor's wiring over one simulated platform, connected and ready.
struct Bench {
    explicit Bench(SimulatedMonitorPlatform& sim)
        : devices(sim), channel(sim), model(feedback), link(channel, devices, model, feedback) {}
    bool connect() { return link.connect() == StartupOutcome::Ready; }
    QuietFeedback feedback;
    DeviceList devices;
    HidReportChannel channel;
    CurveModel model;
    MonitorLink link;
};

void BM_WriteTable(benchmark::State& state) {
    SimulatedMonitorPlatform sim;
    Bench b(sim);
    if (!b.connect()) state.SkipWithError("no simulated monitor");
    const ToneTable table = MakeDefaultCurve(1.8);
    for (auto _ : state) {
        if (!b.link.writeTableBlocks(table, TableBank::Preview)) state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_WriteTable)->Unit(benchmark::kMillisecond);

void BM_ReadCustomTable(benchmark::State& state) {
    SimulatedMonitorPlatform sim;
    Bench b(sim);
    if (!b.connect() || !b.link.writeTableBlocks(MakeDefaultCurve(1.8), TableBank::Stored)) {
        state.SkipWithError("no simulated monitor");
    }
    ToneTable table{};
    for (auto _ : state) {
        if (!b.link.readMonitorTable(table, TableBank::Stored)) state.SkipWithError("read failed");
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
    ToneTable table = MakeDefaultCurve(1.8);
    for (auto _ : state) {
        table[0] ^= 8;  // a change every time, so every block write is stored
        if (!b.link.writeTableBlocks(table, TableBank::Preview)) state.SkipWithError("write failed");
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_WriteTableWithStateFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace grayden
