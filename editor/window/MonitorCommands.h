#pragma once

#include <functional>

#include "device/MonitorSession.h"
#include "engine/CurveModel.h"
#include "engine/ModelOwner.h"

namespace grayden {

// How start-up ended; every outcome but Ready has shown its message and ends the editor.
enum class StartupOutcome { Ready, NoMonitor, Calibrated, FirstReadFailed };

// The editor's monitor commands: the session's transfers applied to the curve model, with
// every failure shown as its message. A monitor that became calibrated while the editor runs
// makes every later transfer fail without a message.
class MonitorCommands {
public:
    using ShowMessage = std::function<void(int stringId)>;

    MonitorCommands(MonitorSession& session, CurveModel& model, ShowMessage showMessage)
        : session_(session), model_(model), showMessage_(std::move(showMessage)) {}

    // Discovery, the monitor search, the calibration check, then the first read of the stored
    // table into sourceTable, which also becomes baselineTable. Shows MsgNoMonitor or
    // MsgAlreadyCalibrated when refused; when the read fails, start-up ends and nothing is
    // written on close.
    StartupOutcome startUp();
    // The closing write of baselineTable to the stored table; only after a complete start-up.
    bool writeBaselineOnClose();

    // "Read from Monitor" and "Write to Monitor".
    bool readFromMonitor();
    bool writeToMonitor();
    // Preview switched on: remembers the monitor's preview table in the undo history, then
    // previews currentTable. When that read fails nothing is pushed and nothing is written.
    bool previewSwitchedOn();
    // The model owner's service: a preview or permanent write with the busy cursor shown.
    bool writeModelTable(const ToneTable& table, MonitorTable which);

private:
    // Shows the message of a failed transfer; true when there was none to show.
    bool succeeded(SessionError error);
    void show(int stringId) { showMessage_(stringId); }

    MonitorSession& session_;
    CurveModel& model_;
    ShowMessage showMessage_;
    bool started_ = false;
};

}  // namespace grayden
