#pragma once

#include <QImage>

#include "editor/GraphGeometry.h"
#include "engine/ControlPoint.h"
#include "engine/GammaCurves.h"
#include "engine/ToneTable.h"

class QPainter;

namespace grayden {

// What one picture of the graph is drawn from; the graph keeps no curve state of its own.
struct GraphScene {
    const ToneTable* table = nullptr;
    const ControlPointArray* points = nullptr;
    int pointCount = 0;  // live control points; 256 draws the curve as a line without markers
    bool showOutputCurve = false;
    double panelGamma = DefaultPanelGamma;
    EdgeRect graphRect;
    EdgeRect plotRect;
};

// Draws the tone curve picture into the back buffer at the window's client coordinates.
class CurveGraph {
public:
    CurveGraph();

    void paint(QImage& backBuffer, const GraphScene& scene);

private:
    void drawFrameAndGrid(QPainter& p, const EdgeRect& plot);
    void drawOutputCurve(QPainter& p, const GraphScene& scene);
    void drawLabels(QPainter& p, const EdgeRect& plot);
    void drawCurve(QPainter& p, const GraphScene& scene);
    void drawMarkers(QPainter& p, const GraphScene& scene);
    const PanelResponse& responseFor(double panelGamma);

    // The panel response and the sprite bitmaps depend only on their own inputs, so they are
    // kept between paints; every pixel comes out as if they were rebuilt each time.
    PanelResponse response_;
    double responseGamma_ = -1.0;
    QImage markerMask_;
    QImage markerImage_;
    QImage dotMask_;
    QImage dotImage_;
};

}  // namespace grayden
