#include "device/MonitorProtocol.h"

namespace grayden {

bool readRegister(HidReportChannel& channel, std::uint8_t usage, std::uint16_t usagePage, std::uint16_t& value) {
    std::uint8_t bytes[RegisterLength] = {};
    const bool ok = channel.readValue(bytes, RegisterLength, usage, usagePage);
    value = loadWord(bytes);
    return ok;
}

bool writeRegister(HidReportChannel& channel, std::uint8_t usage, std::uint16_t usagePage, std::uint16_t value) {
    std::uint8_t bytes[RegisterLength];
    storeWord(bytes, value);
    return channel.writeValue(bytes, RegisterLength, usage, usagePage);
}

}  // namespace grayden
