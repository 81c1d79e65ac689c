#include "editor/measure/MeasurementRun.h"

#include <algorithm>
#include <cmath>

#include "engine/ToneTable.h"

namespace grayden {

std::vector<int> evenlySpacedLevels(int count) {
    count = std::clamp(count, 2, LevelCount);
    std::vector<int> levels;
    for (int i = 0; i < count; ++i) levels.push_back((i * (LevelCount - 1) * 2 + (count - 1)) / ((count - 1) * 2));
    return levels;
}

MeasurementRun::MeasurementRun(int levelCount, AmbientStep ambient)
    : levels_(evenlySpacedLevels(levelCount)), readings_(levels_.size() + (ambient == AmbientStep::Measured ? 1 : 0)) {}

bool MeasurementRun::hasReadings() const {
    return std::any_of(readings_.begin(), readings_.end(), [](const auto& r) { return r.has_value(); });
}

bool MeasurementRun::accepts(double reading) const {
    return std::isfinite(reading) && (isAmbientStep() ? reading >= 0 : reading > 0);
}

bool MeasurementRun::take(double reading) {
    readings_[static_cast<std::size_t>(step_)] = reading;
    if (step_ + 1 == stepCount()) return true;
    ++step_;
    return false;
}

bool MeasurementRun::goBack() {
    if (step_ == 0) return false;
    --step_;
    return true;
}

MeasurementList MeasurementRun::measurements() const {
    MeasurementList list;
    for (std::size_t i = 0; i < levels_.size(); ++i) {
        if (readings_[i]) list.push_back({.level = levels_[i], .luminance = *readings_[i], .line = 0});
    }
    return list;
}

std::optional<double> MeasurementRun::ambient() const {
    if (stepCount() == levelCount()) return std::nullopt;
    return readings_.back();
}

GsdfTarget MeasurementRun::measuredTarget() const {
    const std::size_t last = levels_.size() - 1;
    return {.minLuminance = readings_.front().value_or(0),
            .maxLuminance = readings_[last].value_or(0),
            .ambient = ambient().value_or(0)};
}

}  // namespace grayden
