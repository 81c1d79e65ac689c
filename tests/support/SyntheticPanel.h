#pragma once

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "engine/Measurements.h"
#include "engine/ToneTable.h"

namespace grayden::testing {

// Light of a panel in cd/m² for a drive value 0..8160.
using PanelLight = std::function<double(double drive)>;

// A panel of native gamma g between lmin and lmax.
inline PanelLight gammaPanel(double lmin, double lmax, double gamma) {
    return [=](double drive) { return lmin + (lmax - lmin) * std::pow(drive / FullScale, gamma); };
}

// The levels a TG18 luminance pattern set shows: 0, 15, ..., 255.
inline std::vector<int> eighteenLevels() {
    std::vector<int> levels;
    for (int level = 0; level < LevelCount; level += 15) levels.push_back(level);
    return levels;
}

// What a photometer reads at each level while the table drives the panel.
inline MeasurementList measure(const PanelLight& panel, const ToneTable& table, const std::vector<int>& levels) {
    MeasurementList list;
    for (int level : levels) {
        list.push_back({level, panel(table[level]), static_cast<int>(list.size()) + 1});
    }
    return list;
}

// The measurements as a measurement file, one "level,luminance" line each.
inline std::string measurementText(const MeasurementList& list) {
    std::string text;
    char line[64];
    for (const Measurement& m : list) {
        std::snprintf(line, sizeof line, "%d,%.9g\n", m.level, m.luminance);
        text += line;
    }
    return text;
}

}  // namespace grayden::testing
