#include "engine/CurveModel.h"

#include "engine/LeadingInteger.h"
#include "engine/Spline.h"

namespace grayden {

CurveModel::CurveModel(MonitorPort& monitor, ChangeListener changed)
    : monitor_(monitor), changed_(std::move(changed)) {}

void CurveModel::notify(ModelChange what) const {
    if (changed_) changed_(what);
}

bool CurveModel::isControlPointLevel(int level) const { return pointAtLevel(level) >= 0; }

int CurveModel::pointAtLevel(int level) const {
    const int n = livePointCount();
    for (int k = 0; k < n; ++k) {
        if (points_[k].level == level) return k;
    }
    return -1;
}

bool CurveModel::validateValueText(std::string& text) {
    const std::int32_t v = leadingInteger(text);
    if (v < 0 || v > FullScale) return false;
    text = std::to_string(v);
    return true;
}

ModelSettings CurveModel::settings() const {
    return {pointCountIndex_, exponent_, panelGamma_, previewOn_, showOutputCurve_, windowWidth_, windowHeight_};
}

void CurveModel::restoreSettings(const ModelSettings& s) {
    pointCountIndex_ = isValidPointCountIndex(s.pointCountIndex) ? s.pointCountIndex
                                                                 : static_cast<std::uint16_t>(DefaultPointCountIndex);
    exponent_ = s.exponent;
    panelGamma_ = s.panelGamma;
    previewOn_ = s.previewOn;
    showOutputCurve_ = s.showOutputCurve;
    setWindowSize(s.windowWidth, s.windowHeight);
}

void CurveModel::setWindowSize(std::uint16_t width, std::uint16_t height) {
    windowWidth_ = width;
    windowHeight_ = height;
}

void CurveModel::start(const ToneTable& stored) {
    baselineTable_ = stored;
    installTable(stored);
}

void CurveModel::installTable(const ToneTable& table) {
    sourceTable_ = table;
    installSourceTable();
}

void CurveModel::rebuildFromTable(const ToneTable& source) {
    points_ = samplePoints(source, livePointCount());
    currentTable_ = interpolateTable(points_, livePointCount());
    notify(ModelChange::Rebuilt);
}

void CurveModel::installSourceTable() {
    const std::uint16_t remembered = pointCountIndex_;
    pointCountIndex_ = AllLevelsPointCountIndex;
    rebuildFromTable(sourceTable_);
    sourceTable_ = currentTable_;
    pointCountIndex_ = remembered;
    rebuildFromTable(sourceTable_);
}

bool CurveModel::setPointValue(int k, int value) {
    if (k < 0 || k >= livePointCount()) return false;
    points_[k].value = clampLevel(value);
    currentTable_ = interpolateTable(points_, livePointCount());
    return true;
}

void CurveModel::previewIfOn() {
    if (previewOn_) monitor_.writeTable(MonitorTable::Preview, currentTable_);
}

}  // namespace grayden
