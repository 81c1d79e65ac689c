#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/ToneTable.h"

namespace grayden {

// One bank of the monitor's tone memory: 256 packed words.
using PackedBank = std::array<std::uint16_t, LevelCount>;

// What a simulated monitor remembers across power cycles: its identity and its memory.
struct MonitorState {
    std::uint16_t vendorId = 4712;
    std::uint16_t productId = 0x0440;
    std::uint16_t releaseNumber = 30000;
    std::string modelName = "QT440";  // bytes 8..15 of the identification, at most 8 bytes
    bool calibrated = false;
    std::uint16_t mode = 0;
    std::uint16_t gammaCode = 4;
    PackedBank stored{};
    PackedBank preview{};
    // Not the monitor's memory: also list the devices that discovery must pass over.
    bool extraDevices = false;
    // A fault to test against: every block written is taken as if it arrived whole, but its
    // first level is kept one packing step off.
    bool corruptBlockWrites = false;

    bool operator==(const MonitorState&) const = default;
};

constexpr std::size_t MaxModelNameBytes = 8;
// The largest level a packed word can express (mantissa 1023, exponent code 0).
constexpr int MaxStoredLevel = 8184;

// A monitor as it leaves the factory: gamma code 4 (gamma 2.2), not calibrated, both banks
// holding the straight line 32·i.
MonitorState factoryMonitorState();

// The state file: key=value lines, '#' comments and blank lines allowed. On failure, error
// names the line and what is wrong with it, and state is untouched.
bool parseMonitorState(std::string_view text, MonitorState& state, std::string& error);
std::string formatMonitorState(const MonitorState& state);

// Text from or about a state file, quoted for a message: control characters (including the C1
// range in UTF-8) and backslashes are escaped, so a file name or line cannot move the cursor,
// change colours or forge a second line.
std::string quotedForMessage(std::string_view text);

enum class StateFileResult { Loaded, Created, Failed };

// Reads the state file; a missing file is a factory-fresh monitor and is created at once.
// Failed leaves the file as it was and explains why in error.
StateFileResult loadMonitorStateFile(const std::string& path, MonitorState& state, std::string& error);
// Replaces the file atomically: a reader sees either the old or the new state.
bool saveMonitorStateFile(const std::string& path, const MonitorState& state, std::string& error);

}  // namespace grayden
