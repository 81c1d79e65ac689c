#include "engine/CurveModel.h"

#include "engine/LeadingInteger.h"
#include "engine/Spline.h"

namespace grayden {

CurveModel::CurveModel(ModelOwner& owner) : owner_(owner) {}

bool CurveModel::isControlPointLevel(int level) const {
    const int n = livePointCount();
    for (int k = 0; k < n; ++k) {
        if (points[k].level == level) return true;
    }
    return false;
}

void CurveModel::rebuildFromTable(const ToneTable& source) {
    points = samplePoints(source, livePointCount());
    currentTable = interpolateTable(points, livePointCount());
    owner_.refreshViews();
}

void CurveModel::installSourceTable() {
    const std::uint16_t remembered = pointCountIndex;
    pointCountIndex = AllLevelsPointCountIndex;
    rebuildFromTable(sourceTable);
    sourceTable = currentTable;
    pointCountIndex = remembered;
    rebuildFromTable(sourceTable);
}

bool CurveModel::setPointValue(int k, int value) {
    if (k < 0 || k >= livePointCount()) return false;
    points[k].value = clampLevel(value);
    currentTable = interpolateTable(points, livePointCount());
    return true;
}

bool CurveModel::validateValueText(std::string& text) {
    const std::int32_t v = leadingInteger(text);
    if (v < 0 || v > FullScale) return false;
    text = std::to_string(v);
    return true;
}

void CurveModel::previewIfOn() {
    if (previewOn) owner_.writeTableToMonitor(currentTable, MonitorTable::Preview);
}

}  // namespace grayden
