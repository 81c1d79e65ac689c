#include "engine/CurveModel.h"

namespace grayden {

void CurveModel::applyDefaultCurve(double newExponent) {
    pushUndo(currentTable, {.sendToMonitor = previewOn, .rebuild = true});
    exponent = newExponent;
    sourceTable = makeDefaultCurve(exponent);
    installSourceTable();
    previewIfOn();
}

bool CurveModel::applyCurveTable(const ToneTable& table, int newPointCountIndex) {
    if (!isValidPointCountIndex(newPointCountIndex)) return false;
    pushUndo(currentTable, {.sendToMonitor = previewOn, .rebuild = true});
    pointCountIndex = static_cast<std::uint16_t>(newPointCountIndex);
    sourceTable = table;
    installSourceTable();
    previewIfOn();
    return true;
}

bool CurveModel::applyPointCount(int newIndex) {
    if (!isValidPointCountIndex(newIndex)) return false;
    pushUndo(currentTable, {.sendToMonitor = previewOn, .rebuild = true});
    sourceTable = currentTable;
    pointCountIndex = AllLevelsPointCountIndex;
    rebuildFromTable(sourceTable);
    sourceTable = currentTable;
    pointCountIndex = static_cast<std::uint16_t>(newIndex);
    rebuildFromTable(sourceTable);
    previewIfOn();
    return true;
}

bool CurveModel::applyPanelGamma(double newPanelGamma) {
    if (newPanelGamma == panelGamma) return false;
    panelGamma = newPanelGamma;
    return true;
}

}  // namespace grayden
