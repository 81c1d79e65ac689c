#pragma once

#include <QSize>

#include <span>

#include "engine/ConformanceReport.h"
#include "engine/Measurements.h"

class QPainter;

namespace grayden {

// The size the plot is drawn at; a page scales it.
constexpr QSize ConformancePlotSize(900, 760);

// The measured and the standard's luminance on a log scale over the input levels, the contrast
// response of every step beside the standard's with its tolerance band, and the verdict line,
// in the interface language.
void drawConformancePlot(QPainter& p, const ConformanceReport& report, std::span<const Measurement> measured);

}  // namespace grayden
