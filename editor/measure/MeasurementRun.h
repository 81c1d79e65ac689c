#pragma once

#include <optional>
#include <vector>

#include "engine/GsdfCurve.h"
#include "engine/Measurements.h"

namespace grayden {

// The level counts a run offers, the first being the one it starts with.
constexpr int LevelCountChoices[] = {18, 256, 33, 9};

// count levels spread evenly from 0 to 255, both ends included, rounded to the nearest level.
std::vector<int> evenlySpacedLevels(int count);

enum class AmbientStep { Skipped, Measured };

// One measuring run: a reading per level, in order, and optionally the ambient light after the
// last level. The run stands on one step at a time and keeps every reading taken, so going back
// shows the earlier reading again.
class MeasurementRun {
public:
    explicit MeasurementRun(int levelCount = LevelCountChoices[0], AmbientStep ambient = AmbientStep::Skipped);

    int stepCount() const { return static_cast<int>(readings_.size()); }
    int step() const { return step_; }
    int levelCount() const { return static_cast<int>(levels_.size()); }
    bool isAmbientStep() const { return step_ == levelCount(); }
    // The drive level of a level step.
    int level() const { return levels_[static_cast<std::size_t>(isAmbientStep() ? 0 : step_)]; }
    const std::optional<double>& reading() const { return readings_[static_cast<std::size_t>(step_)]; }
    bool hasReadings() const;

    // Whether a reading may be taken at this step: a positive luminance for a level, 0 or more
    // for the ambient light (a dark room reads 0), always finite.
    bool accepts(double reading) const;
    // Keeps an accepted reading for this step and moves on; true when it was the last step, which
    // the run then stays on.
    bool take(double reading);
    // To the step before; false on the first.
    bool goBack();

    MeasurementList measurements() const;
    std::optional<double> ambient() const;
    // What a calibration from a finished run spans: the readings at the darkest and the brightest
    // level, and the ambient light (0 when it was not measured).
    GsdfTarget measuredTarget() const;

private:
    std::vector<int> levels_;
    std::vector<std::optional<double>> readings_;
    int step_ = 0;
};

}  // namespace grayden
