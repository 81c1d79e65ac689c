#pragma once

#include <QSize>
#include <QString>

#include "engine/MonitorHistory.h"

class QPainter;

namespace grayden {

constexpr QSize HistoryPlotSize(900, 900);

// Lmax, the luminance ratio and the largest deviation of every report over time, one chart
// each, with the limits of the latest report's criteria drawn across them.
void drawHistoryPlot(QPainter& p, const MonitorHistory& history);

// One report on one line, starting with its date: date, criteria, verdict and the figures.
QString historyLineText(const HistoryRecord& record);

}  // namespace grayden
