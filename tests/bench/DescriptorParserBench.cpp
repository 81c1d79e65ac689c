#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "device/hid/ReportDescriptorParser.h"

namespace grayden {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Closes the descriptor at exactly 4096 bytes, filling with one-byte Physical Minimum items.
Bytes closedAtLimit(Bytes descriptor, std::size_t openCollections) {
    while (descriptor.size() + openCollections < HidMaxDescriptorSize) {
        descriptor.push_back(0x34);
    }
    descriptor.insert(descriptor.end(), openCollections, 0xC0);
    return descriptor;
}

// A vendor device with many numbered feature reports, each a 16-byte value and eight one-bit
// flags, every eighth report inside a logical collection of its own.
Bytes realisticDescriptor() {
    Bytes d = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00};
    const Bytes collection = {0x09, 0x02, 0xA1, 0x02};
    for (std::uint8_t id = 1; d.size() + 30 < HidMaxDescriptorSize; ++id) {
        const bool nested = id % 8 == 0;
        if (nested) {
            d.insert(d.end(), collection.begin(), collection.end());
        }
        const Bytes report = {0x85, id,   0x09, id,   0x75, 0x08, 0x95, 0x10, 0xB1, 0x02,
                              0x19, 0x01, 0x29, 0x08, 0x75, 0x01, 0x95, 0x08, 0xB1, 0x02};
        d.insert(d.end(), report.begin(), report.end());
        if (nested) {
            d.push_back(0xC0);
        }
    }
    return closedAtLimit(d, 1);
}

// The most capabilities 4 KiB can ask for: one array field naming two thousand usages.
Bytes manyUsagesDescriptor() {
    Bytes d = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01};
    for (std::uint16_t usage = 1; d.size() + 10 < HidMaxDescriptorSize; ++usage) {
        d.insert(d.end(), {0x09, static_cast<std::uint8_t>(usage)});
    }
    d.insert(d.end(), {0x75, 0x08, 0x95, 0x01, 0xB1, 0x00});
    return closedAtLimit(d, 1);
}

void parseEachIteration(benchmark::State& state, const Bytes& descriptor) {
    for (auto _ : state) {
        ParsedDescriptor parsed;
        const bool ok = parseReportDescriptor(descriptor, parsed);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(parsed);
        if (!ok) {
            state.SkipWithError("descriptor rejected");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * descriptor.size()));
}

void BM_ParseRealisticDescriptor4KiB(benchmark::State& state) { parseEachIteration(state, realisticDescriptor()); }
BENCHMARK(BM_ParseRealisticDescriptor4KiB);

void BM_ParseManyUsagesDescriptor4KiB(benchmark::State& state) { parseEachIteration(state, manyUsagesDescriptor()); }
BENCHMARK(BM_ParseManyUsagesDescriptor4KiB);

}  // namespace
}  // namespace grayden

BENCHMARK_MAIN();
