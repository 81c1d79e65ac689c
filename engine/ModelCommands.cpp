#include "engine/CurveModel.h"

namespace grayden {

void CurveModel::ApplyDefaultCurve(double newExponent) {
    PushUndo(currentTable, previewOn, false, true);
    exponent = newExponent;
    sourceTable = MakeDefaultCurve(exponent);
    InstallSourceTable();
    previewIfOn();
}

bool CurveModel::ApplyPointCount(int newIndex) {
    if (!isValidPointCountIndex(newIndex)) return false;
    PushUndo(currentTable, previewOn, false, true);
    sourceTable = currentTable;
    pointCountIndex = AllLevelsPointCountIndex;
    RebuildFromTable(sourceTable);
    sourceTable = currentTable;
    pointCountIndex = static_cast<std::uint16_t>(newIndex);
    RebuildFromTable(sourceTable);
    previewIfOn();
    return true;
}

bool CurveModel::ApplyPanelGamma(double newPanelGamma) {
    if (newPanelGamma == panelGamma) return false;
    panelGamma = newPanelGamma;
    return true;
}

}  // namespace grayden
