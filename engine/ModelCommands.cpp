#include "engine/CurveModel.h"

namespace grayden {

void CurveModel::applyDefaultCurve(double newExponent) {
    pushUndo(currentTable, {.sendToMonitor = previewOn, .rebuild = true});
    exponent = newExponent;
    sourceTable = makeDefaultCurve(exponent);
    installSourceTable();
    previewIfOn();
}

void CurveModel::applyCurveTable(const ToneTable& table) {
    pushUndo(currentTable, {.sendToMonitor = previewOn, .rebuild = true});
    sourceTable = table;
    installSourceTable();
    previewIfOn();
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
