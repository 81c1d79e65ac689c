// Feeds arbitrary bytes to the simulator's state-file reader: it must never crash, and whatever
// it accepts must survive a write/read round trip unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "device/simulated/SimulatedMonitorState.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace grayden;
    MonitorState state;
    std::string error;
    if (!parseMonitorState(std::string_view(reinterpret_cast<const char*>(data), size), state, error)) {
        if (error.empty()) std::abort();
        return 0;
    }
    MonitorState again;
    if (!parseMonitorState(formatMonitorState(state), again, error) || !(again == state)) std::abort();
    return 0;
}
