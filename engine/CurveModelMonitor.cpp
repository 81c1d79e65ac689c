#include "engine/CurveModel.h"

namespace grayden {

namespace {

// The busy cursor across every transfer of one command.
class BusyHold {
public:
    explicit BusyHold(MonitorPort& monitor) : monitor_(monitor) { monitor_.holdBusy(true); }
    ~BusyHold() { monitor_.holdBusy(false); }
    BusyHold(const BusyHold&) = delete;
    BusyHold& operator=(const BusyHold&) = delete;

private:
    MonitorPort& monitor_;
};

}  // namespace

bool CurveModel::readFromMonitor() {
    // The record stays even when the read fails.
    pushUndo(UndoAction::Edit, currentTable_);
    ToneTable stored{};
    if (!monitor_.readTable(MonitorTable::Permanent, panelGamma_, stored)) return false;
    installTable(stored);
    if (!previewOn_) return true;
    return monitor_.writeTable(MonitorTable::Preview, currentTable_);
}

bool CurveModel::writeToMonitor() {
    BusyHold busy(monitor_);
    ToneTable shown{};
    if (!monitor_.readTable(MonitorTable::Preview, panelGamma_, shown)) return false;
    pushUndo(currentTable_ != shown ? UndoAction::WriteChangedMonitor : UndoAction::WriteToMonitor, baselineTable_);
    const bool written = monitor_.writeTable(MonitorTable::Permanent, currentTable_);
    // The user asked for this table to be the permanent one; a failed write has said so.
    baselineTable_ = currentTable_;
    return written;
}

bool CurveModel::setPreview(bool on) {
    previewOn_ = on;
    // Turning Preview off sends nothing; the monitor keeps its preview table.
    if (!on) return true;
    BusyHold busy(monitor_);
    ToneTable shown{};
    if (!monitor_.readPreviewBlocks(shown)) return false;
    pushUndo(UndoAction::PreviewOn, shown);
    return monitor_.writeTable(MonitorTable::Preview, currentTable_);
}

}  // namespace grayden
