#include "device/simulated/SimulatedMonitor.h"

#include <algorithm>
#include <cstring>

#include "device/MonitorProtocol.h"
#include "device/simulated/SimulatedMonitorReports.h"

namespace grayden {

namespace {

// Bytes 0..7 of the identification: not examined by the host.
constexpr char IdentificationPrefix[] = "KOVA-SIM";

bool isBlockIndex(std::uint8_t index) {
    const int k = index & 0x7F;
    return k < BlocksPerTable;
}

}  // namespace

bool SimulatedMonitor::blocksUnlocked() const { return state_.mode == ReadyMode && !state_.calibrated; }

std::uint16_t SimulatedMonitor::statusWord() const {
    return static_cast<std::uint16_t>(otherStatusBits_ | (state_.calibrated ? CalibratedBit : 0));
}

bool SimulatedMonitor::previewSelected() const { return selectedBlock_ >= static_cast<int>(TableBank::Preview); }

bool SimulatedMonitor::getFeature(std::uint8_t* frame, std::int16_t length) const {
    if (frame == nullptr || length < 1) return false;
    const SimulatedReport* report = findSimulatedReport(frame[0]);
    if (report == nullptr || !report->readable() || length != report->valueLength + 1) return false;
    std::uint8_t* value = frame + 1;
    switch (report->reportId) {
    case IdentificationReport:
        std::memset(value, 0, ModelNameLength);
        std::memcpy(value, IdentificationPrefix, ModelNameOffset);
        std::memcpy(value + ModelNameOffset, state_.modelName.data(),
                    std::min(state_.modelName.size(), MaxModelNameBytes));
        return true;
    case ModeReport: storeWord(value, state_.mode); return true;
    case GammaCodeReport: storeWord(value, state_.gammaCode); return true;
    case StatusReport: storeWord(value, statusWord()); return true;
    case BlockDataReport: {
        if (!blocksUnlocked()) return false;
        const PackedBank& bank = previewSelected() ? state_.preview : state_.stored;
        const int first = (selectedBlock_ & 0x7F) * BlockEntries;
        for (int i = 0; i < BlockEntries; ++i) storeWord(value + 2 * i, bank[first + i]);
        return true;
    }
    default: return false;
    }
}

bool SimulatedMonitor::setFeature(const std::uint8_t* frame, std::int16_t length) {
    if (frame == nullptr || length < 1) return false;
    const SimulatedReport* report = findSimulatedReport(frame[0]);
    if (report == nullptr || !report->writable() || length != report->valueLength + 1) return false;
    const std::uint8_t* value = frame + 1;
    switch (report->reportId) {
    case ModeReport: state_.mode = loadWord(value); return true;
    case BlockSelectReport:
        if (!isBlockIndex(value[0])) return false;
        selectedBlock_ = value[0];
        return true;
    case BlockDataReport: {
        if (!blocksUnlocked()) return false;
        PackedBank& bank = previewSelected() ? state_.preview : state_.stored;
        const int first = (selectedBlock_ & 0x7F) * BlockEntries;
        for (int i = 0; i < BlockEntries; ++i) bank[first + i] = loadWord(value + 2 * i);
        if (state_.corruptBlockWrites) bank[first] ^= 1;
        if (!previewSelected()) state_.gammaCode = CustomTableGammaCode;
        return true;
    }
    default: return false;
    }
}

}  // namespace grayden
