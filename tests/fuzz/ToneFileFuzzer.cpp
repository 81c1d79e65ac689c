// Feeds arbitrary bytes to the tone-file reader: it must never crash or read out of bounds,
// and whatever it accepts must lie within full scale and survive a write/read round trip.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/ToneFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace grayden;
    ToneTable table{};
    if (!parseToneText(std::string(reinterpret_cast<const char*>(data), size), table)) return 0;
    for (std::uint16_t v : table) {
        if (v > FullScale) std::abort();
    }
    ToneTable again{};
    if (!parseToneText(formatToneText(table), again) || again != table) std::abort();
    return 0;
}
