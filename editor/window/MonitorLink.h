#pragma once

#include <functional>
#include <optional>

#include "device/MonitorSession.h"
#include "engine/MonitorPort.h"

namespace grayden {

// How start-up ended; every outcome but Ready has shown its message and ends the editor.
enum class StartupOutcome { Ready, NoMonitor, Calibrated, FirstReadFailed };

// The editor's one way to the monitor: it owns the session, is the only one that writes to it,
// and shows every failure as its message. The curve document reaches it as its monitor port. A
// monitor that became calibrated while the editor runs makes every later transfer fail without a
// message.
class MonitorLink final : public MonitorPort {
public:
    using ShowMessage = std::function<void(int stringId)>;

    // busy may be null when nobody watches.
    MonitorLink(HidReportChannel& channel, DeviceList& devices, BusyFeedback* busy, ShowMessage showMessage)
        : session_(channel, devices, busy), showMessage_(std::move(showMessage)) {}

    // Discovery, the monitor search, the calibration check, then the first read of the stored
    // table for a panel of panelGamma. Shows MsgNoMonitor or MsgAlreadyCalibrated when refused;
    // when the read fails, start-up ends and nothing is written on close.
    StartupOutcome startUp(double panelGamma, ToneTable& stored);
    // The closing write of the permanent table; only after a complete start-up.
    bool writeBaselineOnClose(const ToneTable& baseline);
    // Who the connected monitor is, for its history of reports; shows why when it cannot be read.
    bool readIdentity(FoundMonitor& found) { return succeeded(session_.readIdentity(found)); }
    // Unbinds the monitor; later transfers fail.
    void release() { session_.release(); }

    bool readTable(MonitorTable which, double panelGamma, ToneTable& table) override;
    bool readPreviewBlocks(ToneTable& table) override;
    bool writeTable(MonitorTable which, const ToneTable& table) override;
    void holdBusy(bool on) override;

private:
    // Shows the message of a failed transfer; true when there was none to show.
    bool succeeded(SessionError error);
    void show(int stringId) { showMessage_(stringId); }

    MonitorSession session_;
    ShowMessage showMessage_;
    // Held from the outermost holdBusy(true) to its holdBusy(false).
    std::optional<MonitorSession::BusyScope> busy_;
    int busyHolds_ = 0;
    bool started_ = false;
};

}  // namespace grayden
