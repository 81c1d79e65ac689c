#pragma once

#include <span>
#include <string>

#include "engine/ConformanceReport.h"
#include "engine/ControlPoint.h"
#include "engine/Measurements.h"
#include "engine/ToneTable.h"

namespace grayden::ctl {

// Plots are written as SVG or PNG, chosen by the file name's ending (.svg or .png, any case).
bool isPlotFileName(const std::string& path);

// What the editor's graph draws: the curve, and its control points unless there are 256.
struct CurvePlot {
    const ToneTable* table = nullptr;
    const ControlPointArray* points = nullptr;
    int pointCount = 0;
    double panelGamma = 0;
};

// Draws the curve as the editor's graph does and saves the picture the way every file of the
// project is saved. False, with the reason in error, when it cannot be saved.
bool saveCurvePlot(const std::string& path, const CurvePlot& curve, std::string& error);

// Draws the measured and the standard's luminance on a log scale over the input levels, and
// the contrast response of every step beside the standard's with its tolerance band.
bool saveReportPlot(const std::string& path, const ConformanceReport& report, std::span<const Measurement> measured,
                    std::string& error);

}  // namespace grayden::ctl
