#include "editor/window/MonitorLink.h"

#include "resources/ErrorMessages.h"

namespace grayden {

namespace {

TableBank bankOf(MonitorTable which) { return which == MonitorTable::Preview ? TableBank::Preview : TableBank::Stored; }

}  // namespace

bool MonitorLink::succeeded(SessionError error) {
    if (error == SessionError::None) return true;
    // Tone data is locked; the refusal was said at start-up.
    if (error != SessionError::Calibrated) show(sessionMessageId(error));
    return false;
}

StartupOutcome MonitorLink::startUp(double panelGamma, ToneTable& stored) {
    started_ = false;
    const SessionError connected = session_.connect();
    for (int i = 0; i < session_.unreadableIdentities(); ++i) show(sessionMessageId(SessionError::ReadFailed));
    if (connected == SessionError::Calibrated) {
        show(sessionMessageId(connected));
        return StartupOutcome::Calibrated;
    }
    if (connected != SessionError::None) {
        // Whatever stopped the search, the start-up says no monitor was found.
        show(sessionMessageId(SessionError::NoMonitor));
        return StartupOutcome::NoMonitor;
    }
    const SessionError read = session_.readTable(TableBank::Stored, panelGamma, stored);
    if (read == SessionError::Calibrated) {
        // The bit was set after the check above; the refusal is the same.
        show(sessionMessageId(read));
        return StartupOutcome::Calibrated;
    }
    if (!succeeded(read)) return StartupOutcome::FirstReadFailed;
    started_ = true;
    return StartupOutcome::Ready;
}

bool MonitorLink::writeBaselineOnClose(const ToneTable& baseline) {
    // A table that was never read must not be stored into the monitor.
    if (!started_) return false;
    return succeeded(session_.writeClosing(baseline));
}

bool MonitorLink::readTable(MonitorTable which, double panelGamma, ToneTable& table) {
    return succeeded(session_.readTable(bankOf(which), panelGamma, table));
}

bool MonitorLink::readPreviewBlocks(ToneTable& table) {
    // The blocks arrive one by one; a failed read must leave the destination as it was.
    ToneTable blocks = table;
    if (!succeeded(session_.readBlocks(TableBank::Preview, blocks))) return false;
    table = blocks;
    return true;
}

bool MonitorLink::writeTable(MonitorTable which, const ToneTable& table) {
    MonitorSession::BusyScope busy(session_);
    return succeeded(session_.writeTable(bankOf(which), table));
}

void MonitorLink::holdBusy(bool on) {
    if (on && busyHolds_++ == 0) busy_.emplace(session_);
    if (!on && busyHolds_ > 0 && --busyHolds_ == 0) busy_.reset();
}

}  // namespace grayden
