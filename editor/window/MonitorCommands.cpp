#include "editor/window/MonitorCommands.h"

#include "resources/ErrorMessages.h"

namespace grayden {

bool MonitorCommands::succeeded(SessionError error) {
    if (error == SessionError::None) return true;
    // Tone data is locked; the refusal was said at start-up.
    if (error != SessionError::Calibrated) show(sessionMessageId(error));
    return false;
}

StartupOutcome MonitorCommands::startUp() {
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
    const SessionError read = session_.readTable(TableBank::Stored, model_.panelGamma, model_.sourceTable);
    if (read == SessionError::Calibrated) {
        // The bit was set after the check above; the refusal is the same.
        show(sessionMessageId(read));
        return StartupOutcome::Calibrated;
    }
    if (!succeeded(read)) return StartupOutcome::FirstReadFailed;
    model_.baselineTable = model_.sourceTable;
    started_ = true;
    return StartupOutcome::Ready;
}

bool MonitorCommands::writeBaselineOnClose() {
    // A table that was never read must not be stored into the monitor.
    if (!started_) return false;
    return succeeded(session_.writeClosing(model_.baselineTable));
}

bool MonitorCommands::readFromMonitor() {
    // The record stays even when the read fails.
    model_.pushUndo(model_.currentTable, {.sendToMonitor = model_.previewOn, .rebuild = true});
    if (!succeeded(session_.readTable(TableBank::Stored, model_.panelGamma, model_.sourceTable))) return false;
    model_.installSourceTable();
    if (!model_.previewOn) return true;
    MonitorSession::BusyScope busy(session_);
    return succeeded(session_.writeTable(TableBank::Preview, model_.currentTable));
}

bool MonitorCommands::writeToMonitor() {
    MonitorSession::BusyScope busy(session_);
    ToneTable shown{};
    if (!succeeded(session_.readTable(TableBank::Preview, model_.panelGamma, shown))) return false;
    const bool differs = model_.currentTable != shown;
    model_.pushUndo(model_.baselineTable, {.sendToMonitor = differs, .restoresBaseline = true, .rebuild = true});
    const bool written = succeeded(session_.writeTable(TableBank::Stored, model_.currentTable));
    // The user asked for this table to be the permanent one; a failed write has said so.
    model_.baselineTable = model_.currentTable;
    return written;
}

bool MonitorCommands::previewSwitchedOn() {
    MonitorSession::BusyScope busy(session_);
    ToneTable shown{};
    if (!succeeded(session_.readBlocks(TableBank::Preview, shown))) return false;
    model_.pushUndo(shown, {.sendToMonitor = true});
    return succeeded(session_.writeTable(TableBank::Preview, model_.currentTable));
}

bool MonitorCommands::writeModelTable(const ToneTable& table, MonitorTable which) {
    MonitorSession::BusyScope busy(session_);
    return succeeded(
        session_.writeTable(which == MonitorTable::Preview ? TableBank::Preview : TableBank::Stored, table));
}

}  // namespace grayden
