// The curve's picture comes from the editor's own graph painting, so it matches the window
// pixel for pixel; an SVG carries that picture as its image, since the graph's sprites are
// drawn with raster operations that vector output has no equivalent for.
#include <QImage>
#include <QPainter>

#include "PlotCanvas.h"
#include "Plots.h"
#include "render/CurveGraph.h"
#include "render/ResourceFiles.h"

namespace grayden::ctl {

namespace {

// The graph area of an editor window of the smallest size it allows.
constexpr int GraphWidth = 600;
constexpr int GraphHeight = 480;

}  // namespace

bool saveCurvePlot(const std::string& path, const CurvePlot& curve, std::string& error) {
    const QSize size(GraphWidth, GraphHeight);
    return savePlot(
        path, size,
        [&](QPainter& painter) {
            initEditorResources();
            QImage backBuffer(size, QImage::Format_RGB32);
            GraphScene scene;
            scene.table = curve.table;
            scene.points = curve.points;
            scene.pointCount = curve.pointCount;
            scene.panelGamma = curve.panelGamma;
            scene.graphRect = {0, 0, GraphWidth, GraphHeight};
            scene.plotRect = plotRectOf(scene.graphRect);
            CurveGraph graph;
            graph.paint(backBuffer, scene);
            painter.drawImage(0, 0, backBuffer);
        },
        error);
}

}  // namespace grayden::ctl
