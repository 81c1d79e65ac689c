#include "device/MonitorProtocol.h"

namespace grayden {

bool readRegister(HidReportChannel& channel, std::uint8_t usage, std::uint16_t usagePage, std::uint16_t& value) {
    std::uint8_t bytes[RegisterLength] = {};
    const bool ok = channel.readValue(bytes, RegisterLength, usage, usagePage);
    value = static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
    return ok;
}

bool writeRegister(HidReportChannel& channel, std::uint8_t usage, std::uint16_t usagePage, std::uint16_t value) {
    const std::uint8_t bytes[RegisterLength] = {static_cast<std::uint8_t>(value & 0xFF),
                                                static_cast<std::uint8_t>(value >> 8)};
    return channel.writeValue(bytes, RegisterLength, usage, usagePage);
}

}  // namespace grayden
