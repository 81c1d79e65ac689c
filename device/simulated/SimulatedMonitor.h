#pragma once

#include <cstdint>

#include "device/MonitorProtocol.h"
#include "device/simulated/SimulatedMonitorState.h"

namespace grayden {

// One simulated monitor answering feature reports from its memory. Block transfers work only
// while the mode register holds 12 and the colour adjustment is not calibrated; storing a
// block into the stored bank makes the gamma code 255 (a custom table).
class SimulatedMonitor {
public:
    explicit SimulatedMonitor(MonitorState state) : state_(std::move(state)) {}

    MonitorState& state() { return state_; }
    const MonitorState& state() const { return state_; }
    // Bits of the status word beside the calibrated bit; they say nothing about calibration.
    void setOtherStatusBits(std::uint16_t bits) {
        otherStatusBits_ = static_cast<std::uint16_t>(bits & ~CalibratedBit);
    }
    std::uint16_t statusWord() const;

    // frame[0] names the report; length counts the id too and must match the report exactly.
    bool getFeature(std::uint8_t* frame, std::int16_t length) const;
    bool setFeature(const std::uint8_t* frame, std::int16_t length);

private:
    bool blocksUnlocked() const;
    bool previewSelected() const;

    MonitorState state_;
    std::uint8_t selectedBlock_ = 0;
    std::uint16_t otherStatusBits_ = 0;
};

}  // namespace grayden
