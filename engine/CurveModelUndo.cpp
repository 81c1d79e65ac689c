#include "engine/CurveModel.h"

namespace grayden {

void CurveModel::pushUndo(UndoAction action, const ToneTable& table) {
    // The oldest record goes only once the history already holds more than 256, so it tops out at 257.
    if (undoHistory_.size() > static_cast<std::size_t>(MaxUndoRecords)) undoHistory_.pop_front();
    const bool edit = action == UndoAction::Edit;
    const bool write = action == UndoAction::WriteToMonitor || action == UndoAction::WriteChangedMonitor;
    const bool send = edit ? previewOn_ : action != UndoAction::WriteToMonitor;
    undoHistory_.push_back(
        {table, pointCountIndex_, {.sendToMonitor = send, .restoresBaseline = write, .rebuild = edit || write}});
}

void CurveModel::undo() {
    if (undoHistory_.empty()) return;
    const UndoRecord record = undoHistory_.back();
    undoHistory_.pop_back();
    sourceTable_ = record.table;
    pointCountIndex_ = isValidPointCountIndex(record.pointCountIndex)
                           ? record.pointCountIndex
                           : static_cast<std::uint16_t>(DefaultPointCountIndex);
    if (record.effects.restoresBaseline) {
        baselineTable_ = sourceTable_;
        if (record.effects.sendToMonitor) monitor_.writeTable(MonitorTable::Permanent, baselineTable_);
        return;
    }
    if (record.effects.rebuild) installSourceTable();
    if (record.effects.sendToMonitor) monitor_.writeTable(MonitorTable::Preview, sourceTable_);
}

void CurveModel::clearUndo() { undoHistory_.clear(); }

}  // namespace grayden
