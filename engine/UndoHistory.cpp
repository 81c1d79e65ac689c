#include "engine/CurveModel.h"

namespace grayden {

void CurveModel::pushUndo(const ToneTable& table, const UndoEffects& effects) {
    // The oldest record goes only once the history already holds more than 256, so it tops out at 257.
    if (undoHistory.size() > static_cast<std::size_t>(MaxUndoRecords)) undoHistory.pop_front();
    undoHistory.push_back({table, pointCountIndex, effects});
}

void CurveModel::undo() {
    if (undoHistory.empty()) return;
    const UndoRecord record = undoHistory.back();
    undoHistory.pop_back();
    sourceTable = record.table;
    pointCountIndex = isValidPointCountIndex(record.pointCountIndex) ? record.pointCountIndex : DefaultPointCountIndex;
    if (record.effects.restoresBaseline) {
        baselineTable = sourceTable;
        if (record.effects.sendToMonitor) owner_.writeTableToMonitor(baselineTable, MonitorTable::Permanent);
        return;
    }
    if (record.effects.rebuild) installSourceTable();
    if (record.effects.sendToMonitor) owner_.writeTableToMonitor(sourceTable, MonitorTable::Preview);
}

void CurveModel::clearUndo() { undoHistory.clear(); }

}  // namespace grayden
