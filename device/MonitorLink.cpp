#include "device/MonitorLink.h"

#include <algorithm>
#include <cstring>

#include "device/TonePacking.h"
#include "engine/GammaCurves.h"

namespace grayden {

MonitorLink::BusyScope::BusyScope(MonitorLink& link) : link_(link) {
    if (link_.busyDepth_++ == 0) link_.feedback_.setBusy(true);
}

MonitorLink::BusyScope::~BusyScope() {
    if (--link_.busyDepth_ == 0) link_.feedback_.setBusy(false);
}

bool MonitorLink::fail(int stringId) {
    feedback_.showMessage(stringId);
    ++messagesShown_;
    return false;
}

StartupOutcome MonitorLink::connect() {
    started_ = false;
    if (!devices_.discoverDevices() || !findSupportedMonitor()) {
        fail(MsgNoMonitor);
        return StartupOutcome::NoMonitor;
    }
    if (isAlreadyCalibrated()) {
        fail(MsgAlreadyCalibrated);
        return StartupOutcome::Calibrated;
    }
    return StartupOutcome::Ready;
}

StartupOutcome MonitorLink::startUp() {
    const StartupOutcome connected = connect();
    if (connected != StartupOutcome::Ready) return connected;
    const int shownBefore = messagesShown_;
    if (!readMonitorTable(model_.sourceTable, TableBank::Stored)) {
        // Only the calibrated bit fails a read silently: it was set after the check above.
        if (messagesShown_ == shownBefore) {
            fail(MsgAlreadyCalibrated);
            return StartupOutcome::Calibrated;
        }
        return StartupOutcome::FirstReadFailed;
    }
    model_.baselineTable = model_.sourceTable;
    started_ = true;
    return StartupOutcome::Ready;
}

bool MonitorLink::writeBaselineOnClose() {
    // A table that was never read must not be stored into the monitor.
    if (!started_) return false;
    BusyScope busy(*this);
    return writeTableBlocks(model_.baselineTable, TableBank::Stored);
}

bool MonitorLink::findSupportedMonitor() {
    for (const auto& device : devices_.devices()) {
        if (isSupportedMonitor(*device)) return true;
    }
    // Leave no stray binding to a device that is not the monitor.
    channel_.bindDevice(nullptr);
    return false;
}

bool MonitorLink::isSupportedMonitor(HidDeviceInfo& device) {
    channel_.bindDevice(&device);
    return hasMonitorIdentity(device) && carriesModelName() && isSupportedModel();
}

bool MonitorLink::carriesModelName() {
    // Another top-level collection of the monitor's own node (its buttons, say) has no model
    // name to read; that is no failed read and deserves no message.
    return channel_.lookupUsage(UsageModelName, VendorPageA);
}

bool MonitorLink::hasMonitorIdentity(const HidDeviceInfo& device) {
    return isAcceptedVendor(device.vendorId) && device.versionNumber >= MinVersionNumber;
}

bool MonitorLink::isSupportedModel() {
    std::string name;
    return readModelName(name) && isSupportedModelName(name);
}

bool MonitorLink::readModelName(std::string& name) {
    // Zeros behind the 16-byte value end the name after at most 8 characters.
    std::uint8_t buffer[25] = {};
    if (!channel_.readValue(buffer, ModelNameLength, UsageModelName, VendorPageA)) return fail(MsgReadFailed);
    const char* text = reinterpret_cast<const char*>(buffer + ModelNameOffset);
    name.assign(text, ::strnlen(text, sizeof buffer - ModelNameOffset));
    const std::size_t end = name.find_last_not_of(" \t\n\v\f\r");
    name.erase(end == std::string::npos ? 0 : end + 1);
    return true;
}

bool MonitorLink::isSupportedModelName(std::string_view name) {
    return std::find(supportedModels.begin(), supportedModels.end(), name) != supportedModels.end();
}

bool MonitorLink::isAlreadyCalibrated() {
    std::uint16_t mode = 0;
    if (!readRegister(channel_, UsageMode, VendorPageA, mode)) return false;
    if (mode != ReadyMode) writeRegister(channel_, UsageMode, VendorPageA, ReadyMode);
    std::uint16_t status = 0;
    return readRegister(channel_, UsageStatus, VendorPageB, status) && isCalibratedStatus(status);
}

bool MonitorLink::ensureReady() {
    BusyScope busy(*this);
    std::uint16_t mode = 0;
    if (!readRegister(channel_, UsageMode, VendorPageA, mode)) return fail(MsgReadFailed);
    if (mode != ReadyMode && !writeRegister(channel_, UsageMode, VendorPageA, ReadyMode)) {
        return fail(MsgWriteFailed);
    }
    std::uint16_t status = 0;
    if (!readRegister(channel_, UsageStatus, VendorPageB, status)) return fail(MsgReadFailed);
    return !isCalibratedStatus(status);
}

bool MonitorLink::readMonitorTable(ToneTable& destination, TableBank bank) {
    if (!ensureReady()) return false;
    std::uint16_t code = 0;
    if (!readRegister(channel_, UsageGammaCode, VendorPageA, code)) return fail(MsgReadFailed);
    ToneTable table{};
    if (code == CustomTableGammaCode) {
        BusyScope busy(*this);
        if (!readTableBlocks(table, bank)) return false;
    } else {
        table = MakeMonitorGammaCurve(monitorGammaForCode(code), model_.panelGamma);
    }
    destination = table;
    return true;
}

bool MonitorLink::selectBlock(TableBank bank, int k) {
    const std::uint8_t index = blockIndex(bank, k);
    return channel_.writeValue(&index, BlockSelectLength, UsageBlockSelect, VendorPageB) || fail(MsgWriteFailed);
}

bool MonitorLink::readTableBlocks(ToneTable& destination, TableBank bank) {
    if (!ensureReady()) return false;
    for (int k = 0; k < BlocksPerTable; ++k) {
        if (!selectBlock(bank, k)) return false;
        std::uint8_t block[BlockBytes];
        if (!channel_.readValue(block, BlockBytes, UsageBlockData, VendorPageB)) return fail(MsgReadFailed);
        for (int i = 0; i < BlockEntries; ++i) {
            destination[k * BlockEntries + i] = unpackLevel(loadWord(block + 2 * i));
        }
    }
    return true;
}

bool MonitorLink::writeTableBlocks(const ToneTable& source, TableBank bank) {
    if (!ensureReady()) return false;
    for (int k = 0; k < BlocksPerTable; ++k) {
        if (!selectBlock(bank, k)) return false;
        std::uint8_t block[BlockBytes];
        for (int i = 0; i < BlockEntries; ++i) storeWord(block + 2 * i, packLevel(source[k * BlockEntries + i]));
        if (!channel_.writeValue(block, BlockBytes, UsageBlockData, VendorPageB)) return fail(MsgWriteFailed);
    }
    return true;
}

std::uint16_t MonitorLink::packLevel(int level) { return packToneLevel(level); }

std::uint16_t MonitorLink::unpackLevel(std::uint16_t word) { return unpackToneWord(word); }

bool MonitorLink::readFromMonitor() {
    // The record stays even when the read fails.
    model_.PushUndo(model_.currentTable, model_.previewOn, false, true);
    if (!readMonitorTable(model_.sourceTable, TableBank::Stored)) return false;
    model_.InstallSourceTable();
    if (!model_.previewOn) return true;
    BusyScope busy(*this);
    return writeTableBlocks(model_.currentTable, TableBank::Preview);
}

bool MonitorLink::writeToMonitor() {
    BusyScope busy(*this);
    ToneTable shown{};
    if (!readMonitorTable(shown, TableBank::Preview)) return false;
    const bool differs = model_.currentTable != shown;
    model_.PushUndo(model_.baselineTable, differs, true, true);
    const bool written = writeTableBlocks(model_.currentTable, TableBank::Stored);
    // The user asked for this table to be the permanent one; a failed write has said so.
    model_.baselineTable = model_.currentTable;
    return written;
}

bool MonitorLink::previewSwitchedOn() {
    BusyScope busy(*this);
    ToneTable shown{};
    if (!readTableBlocks(shown, TableBank::Preview)) return false;
    model_.PushUndo(shown, true, false, false);
    return writeTableBlocks(model_.currentTable, TableBank::Preview);
}

bool MonitorLink::writeModelTable(const ToneTable& table, MonitorTable which) {
    BusyScope busy(*this);
    return writeTableBlocks(table, which == MonitorTable::Preview ? TableBank::Preview : TableBank::Stored);
}

}  // namespace grayden
