#include <QPainter>

#include "PlotCanvas.h"
#include "Plots.h"
#include "render/ConformancePlot.h"

namespace grayden::ctl {

bool saveReportPlot(const std::string& path, const ConformanceReport& report, std::span<const Measurement> measured,
                    std::string& error) {
    return savePlot(
        path, ConformancePlotSize, [&](QPainter& p) { drawConformancePlot(p, report, measured); }, error);
}

}  // namespace grayden::ctl
