#include "engine/CurveModel.h"

namespace grayden {

bool CurveModel::grabPoint(int k) {
    if (k < 0 || k >= livePointCount()) return false;
    // One record per grab, even when the point is let go where it was.
    pushUndo(UndoAction::Edit, currentTable_);
    return true;
}

bool CurveModel::dragPoint(int k, int value) {
    if (!setPointValue(k, value)) return false;
    notify(ModelChange::PointDragged);
    return true;
}

void CurveModel::releasePoint() {
    notify(ModelChange::PointsEdited);
    // A failed write has shown its message; the curve stays as dragged.
    previewIfOn();
}

bool CurveModel::enterPointValue(int level, int value) {
    const int k = pointAtLevel(level);
    if (k < 0) return false;
    pushUndo(UndoAction::Edit, currentTable_);
    setPointValue(k, value);
    notify(ModelChange::PointsEdited);
    previewIfOn();
    return true;
}

void CurveModel::applyDefaultCurve(double newExponent) {
    pushUndo(UndoAction::Edit, currentTable_);
    exponent_ = newExponent;
    installTable(makeDefaultCurve(exponent_));
    previewIfOn();
}

bool CurveModel::applyCurveTable(const ToneTable& table, int newPointCountIndex) {
    if (!isValidPointCountIndex(newPointCountIndex)) return false;
    pushUndo(UndoAction::Edit, currentTable_);
    pointCountIndex_ = static_cast<std::uint16_t>(newPointCountIndex);
    installTable(table);
    previewIfOn();
    return true;
}

bool CurveModel::applyPointCount(int newIndex) {
    if (!isValidPointCountIndex(newIndex)) return false;
    pushUndo(UndoAction::Edit, currentTable_);
    sourceTable_ = currentTable_;
    pointCountIndex_ = AllLevelsPointCountIndex;
    rebuildFromTable(sourceTable_);
    sourceTable_ = currentTable_;
    pointCountIndex_ = static_cast<std::uint16_t>(newIndex);
    rebuildFromTable(sourceTable_);
    previewIfOn();
    return true;
}

bool CurveModel::applyPanelGamma(double newPanelGamma) {
    if (newPanelGamma == panelGamma_) return false;
    panelGamma_ = newPanelGamma;
    notify(ModelChange::PanelGamma);
    return true;
}

void CurveModel::setShowOutputCurve(bool on) {
    showOutputCurve_ = on;
    notify(ModelChange::OutputCurve);
}

}  // namespace grayden
