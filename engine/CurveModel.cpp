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

void CurveModel::RebuildFromTable(const ToneTable& source) {
    points = SamplePoints(source, livePointCount());
    currentTable = InterpolateTable(points, livePointCount());
    owner_.refreshViews();
}

void CurveModel::InstallSourceTable() {
    const std::uint16_t remembered = pointCountIndex;
    pointCountIndex = AllLevelsPointCountIndex;
    RebuildFromTable(sourceTable);
    sourceTable = currentTable;
    pointCountIndex = remembered;
    RebuildFromTable(sourceTable);
}

bool CurveModel::SetPointValue(int k, int value) {
    if (k < 0 || k >= livePointCount()) return false;
    points[k].value = clampLevel(value);
    currentTable = InterpolateTable(points, livePointCount());
    return true;
}

bool CurveModel::ValidateValueText(std::string& text) {
    const std::int32_t v = leadingInteger(text);
    if (v < 0 || v > FullScale) return false;
    text = std::to_string(v);
    return true;
}

void CurveModel::previewIfOn() {
    if (previewOn) owner_.writeTableToMonitor(currentTable, MonitorTable::Preview);
}

}  // namespace grayden
