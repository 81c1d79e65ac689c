#include "device/MonitorSession.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>
#include <utility>

#include "device/TonePacking.h"
#include "engine/GammaCurves.h"

namespace grayden {

namespace {

// Holds a device's transfer lock for the lifetime of the scope.
class TransferLock {
public:
    TransferLock(HidPlatform& platform, HidHandle handle)
        : platform_(platform),
          handle_(handle),
          result_(platform.lockDevice(handle, MonitorSession::TransferLockWait)) {}
    ~TransferLock() {
        if (result_ == DeviceLockResult::Held) platform_.unlockDevice(handle_);
    }
    TransferLock(const TransferLock&) = delete;
    TransferLock& operator=(const TransferLock&) = delete;

    // None while held; a lock that cannot be had at all fails the transfer as its exchanges would.
    SessionError error(SessionError failed) const {
        switch (result_) {
        case DeviceLockResult::Held: return SessionError::None;
        case DeviceLockResult::Busy: return SessionError::Busy;
        case DeviceLockResult::Failed: return failed;
        }
        return failed;
    }

private:
    HidPlatform& platform_;
    HidHandle handle_;
    DeviceLockResult result_;
};

}  // namespace

MonitorSession::BusyScope::BusyScope(MonitorSession& session) : session_(session) {
    if (session_.busyDepth_++ == 0 && session_.busy_) session_.busy_->setBusy(true);
}

MonitorSession::BusyScope::~BusyScope() {
    if (--session_.busyDepth_ == 0 && session_.busy_) session_.busy_->setBusy(false);
}

SessionError MonitorSession::connect() {
    unreadableIdentities_ = 0;
    if (!devices_.discoverDevices()) return SessionError::NoMonitor;
    if (const SessionError found = findMonitor(); found != SessionError::None) return found;
    return probeCalibration(CalibrationProbe::StartUp);
}

SessionError MonitorSession::findMonitor() {
    unreadableIdentities_ = 0;
    for (const auto& device : devices_.devices()) {
        const SessionError identified = identify(*device);
        if (identified == SessionError::None) return SessionError::None;
        if (identified == SessionError::ReadFailed) ++unreadableIdentities_;
    }
    // Leave no stray binding to a device that is not the monitor.
    channel_.bindDevice(nullptr);
    return SessionError::NoMonitor;
}

void MonitorSession::release() {
    channel_.bindDevice(nullptr);
    devices_.clearDevices();
}

SessionError MonitorSession::identify(HidDeviceInfo& device) {
    channel_.bindDevice(&device);
    if (!hasMonitorIdentity(device) || !carriesModelName()) return SessionError::NoMonitor;
    std::string name;
    if (const SessionError read = readModelName(name); read != SessionError::None) return read;
    return isSupportedModelName(name) ? SessionError::None : SessionError::NoMonitor;
}

bool MonitorSession::hasMonitorIdentity(const HidDeviceInfo& device) {
    return isAcceptedVendor(device.vendorId) && device.versionNumber >= MinVersionNumber;
}

bool MonitorSession::carriesModelName() {
    // Another top-level collection of the monitor's own node (its buttons, say) has no model
    // name to read; that is no failed read.
    return channel_.lookupUsage(UsageModelName, VendorPageA);
}

SessionError MonitorSession::readModelName(std::string& name) {
    // Zeros behind the 16-byte value end the name after at most 8 characters.
    std::uint8_t buffer[25] = {};
    if (!channel_.readValue(buffer, ModelNameLength, UsageModelName, VendorPageA)) return SessionError::ReadFailed;
    const char* text = reinterpret_cast<const char*>(buffer + ModelNameOffset);
    name.assign(text, ::strnlen(text, sizeof buffer - ModelNameOffset));
    const std::size_t end = name.find_last_not_of(" \t\n\v\f\r");
    name.erase(end == std::string::npos ? 0 : end + 1);
    return SessionError::None;
}

SessionError MonitorSession::readIdentity(FoundMonitor& found) {
    const HidDeviceInfo* device = channel_.boundDevice();
    if (!device) return SessionError::Gone;
    FoundMonitor read;
    if (const SessionError error = readModelName(read.identity.model); error != SessionError::None) return error;
    read.identity.vendorId = device->vendorId;
    read.identity.productId = device->productId;
    read.devicePath = device->devicePath;
    devices_.platform().peekSerialNumber(device->devicePath, read.identity.serialNumber);
    found = std::move(read);
    return SessionError::None;
}

bool MonitorSession::isSupportedModelName(std::string_view name) {
    return std::find(supportedModels.begin(), supportedModels.end(), name) != supportedModels.end();
}

SessionError MonitorSession::probeCalibration(CalibrationProbe probe) {
    if (!isBound()) return SessionError::Gone;
    // Only the readiness check before a transfer treats a failed exchange as an error and shows
    // the busy cursor; the other probes look for the calibrated bit alone.
    const bool strict = probe == CalibrationProbe::Transfer;
    std::optional<BusyScope> busy;
    if (strict) busy.emplace(*this);
    const SessionError failed = strict ? SessionError::ReadFailed : SessionError::None;
    if (probe != CalibrationProbe::ReadOnly) {
        std::uint16_t mode = 0;
        if (!readRegister(channel_, UsageMode, VendorPageA, mode)) return failed;
        if (mode != ReadyMode && !writeRegister(channel_, UsageMode, VendorPageA, ReadyMode) && strict) {
            return SessionError::WriteFailed;
        }
    }
    std::uint16_t status = 0;
    if (!readRegister(channel_, UsageStatus, VendorPageB, status)) return failed;
    return isCalibratedStatus(status) ? SessionError::Calibrated : SessionError::None;
}

SessionError MonitorSession::readTable(TableBank bank, double panelGamma, ToneTable& destination) {
    if (const SessionError ready = probeCalibration(CalibrationProbe::Transfer); ready != SessionError::None) {
        return ready;
    }
    std::uint16_t code = 0;
    if (!readRegister(channel_, UsageGammaCode, VendorPageA, code)) return SessionError::ReadFailed;
    ToneTable table{};
    if (code == CustomTableGammaCode) {
        if (const SessionError read = readBlocks(bank, table); read != SessionError::None) return read;
    } else {
        table = makeMonitorGammaCurve(monitorGammaForCode(code), panelGamma);
    }
    destination = table;
    return SessionError::None;
}

SessionError MonitorSession::selectBlock(TableBank bank, int k) {
    const std::uint8_t index = blockIndex(bank, k);
    return channel_.writeValue(&index, BlockSelectLength, UsageBlockSelect, VendorPageB) ? SessionError::None
                                                                                         : SessionError::WriteFailed;
}

SessionError MonitorSession::lockedTransfer(SessionError lockFailed, const std::function<SessionError()>& blocks) {
    if (!isBound()) return SessionError::Gone;
    // The wait for another program's transfer shows the busy cursor too.
    const BusyScope busy(*this);
    const TransferLock lock(devices_.platform(), channel_.boundDevice()->handle);
    if (const SessionError locked = lock.error(lockFailed); locked != SessionError::None) return locked;
    if (const SessionError ready = probeCalibration(CalibrationProbe::Transfer); ready != SessionError::None) {
        return ready;
    }
    return blocks();
}

SessionError MonitorSession::readBlocks(TableBank bank, ToneTable& destination) {
    return lockedTransfer(SessionError::ReadFailed, [&] {
        for (int k = 0; k < BlocksPerTable; ++k) {
            if (const SessionError selected = selectBlock(bank, k); selected != SessionError::None) return selected;
            std::uint8_t block[BlockBytes];
            if (!channel_.readValue(block, BlockBytes, UsageBlockData, VendorPageB)) return SessionError::ReadFailed;
            for (int i = 0; i < BlockEntries; ++i) {
                destination[k * BlockEntries + i] = unpackToneWord(loadWord(block + 2 * i));
            }
        }
        return SessionError::None;
    });
}

SessionError MonitorSession::writeTable(TableBank bank, const ToneTable& source) {
    return lockedTransfer(SessionError::WriteFailed, [&] {
        for (int k = 0; k < BlocksPerTable; ++k) {
            if (const SessionError selected = selectBlock(bank, k); selected != SessionError::None) return selected;
            std::uint8_t block[BlockBytes];
            for (int i = 0; i < BlockEntries; ++i) {
                storeWord(block + 2 * i, packToneLevel(source[k * BlockEntries + i]));
            }
            if (!channel_.writeValue(block, BlockBytes, UsageBlockData, VendorPageB)) return SessionError::WriteFailed;
        }
        return SessionError::None;
    });
}

SessionError MonitorSession::writeClosing(const ToneTable& stored) {
    // writeTable shows the busy cursor itself.
    return writeTable(TableBank::Stored, stored);
}

}  // namespace grayden
