#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "device/hid/HidReportChannel.h"

namespace grayden {

// The vendor usages through which the monitor exchanges its tone data. Values are little-endian.
constexpr std::uint16_t VendorPageA = 0xFF00;
constexpr std::uint16_t VendorPageB = 0xFF01;

constexpr std::uint8_t UsageModelName = 0x35;    // page A, 16 bytes, read: model name at bytes 8..15
constexpr std::uint8_t UsageMode = 0x15;         // page A, 2 bytes, read and write
constexpr std::uint8_t UsageGammaCode = 0x66;    // page A, 2 bytes, read
constexpr std::uint8_t UsageStatus = 0x47;       // page B, 2 bytes, read
constexpr std::uint8_t UsageBlockSelect = 0x8E;  // page B, 1 byte, write
constexpr std::uint8_t UsageBlockData = 0x8F;    // page B, 128 bytes, read and write

constexpr int ModelNameLength = 16;
constexpr int ModelNameOffset = 8;
constexpr int RegisterLength = 2;
constexpr int BlockSelectLength = 1;
constexpr int BlockEntries = 64;
constexpr int BlockBytes = BlockEntries * 2;
constexpr int BlocksPerTable = 4;

// Tone data moves only while the mode register holds this value.
constexpr std::uint16_t ReadyMode = 12;
// Status bit: the colour adjustment is calibrated and tone data is locked. The other bits of the
// status word are the monitor's own and say nothing about calibration.
constexpr std::uint16_t CalibratedBit = 0x0001;
constexpr bool isCalibratedStatus(std::uint16_t status) { return (status & CalibratedBit) != 0; }
// Gamma code of a custom table; any other code c stands for gamma 0.2 × c + 1.4.
constexpr std::uint16_t CustomTableGammaCode = 255;

constexpr std::array<std::string_view, 1> supportedModels = {"QT440"};
constexpr std::uint16_t MinVersionNumber = 30000;

// The monitor table a block transfer addresses, by the base of its block indices.
enum class TableBank { Stored = 0, Preview = 128 };

constexpr std::uint8_t blockIndex(TableBank bank, int k) {
    return static_cast<std::uint8_t>(static_cast<int>(bank) + k);
}

// The monitor's 16-bit values travel low byte first.
inline std::uint16_t loadWord(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}
inline void storeWord(std::uint8_t* bytes, std::uint16_t value) {
    bytes[0] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[1] = static_cast<std::uint8_t>(value >> 8);
}

// Two-byte register values through the channel; a failed read leaves value 0.
bool readRegister(HidReportChannel& channel, std::uint8_t usage, std::uint16_t usagePage, std::uint16_t& value);
bool writeRegister(HidReportChannel& channel, std::uint8_t usage, std::uint16_t usagePage, std::uint16_t value);

}  // namespace grayden
