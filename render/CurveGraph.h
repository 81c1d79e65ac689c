#pragma once

#include <QImage>
#include <QPolygon>
#include <QString>

#include <vector>

#include "engine/ControlPoint.h"
#include "engine/GammaCurves.h"
#include "engine/ToneTable.h"
#include "render/GraphGeometry.h"

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
//
// The picture is a fixed background (the black field, the frame and the grid) under the parts
// that move (the output curve, the scale labels, the curve and the markers). When the back buffer
// still holds this graph's last picture at the same place, only the rectangles where moving parts
// were or will be get their background back before the moving parts are drawn again; every pixel
// comes out as in a complete repaint, which a drag step at large window sizes could not afford.
class CurveGraph {
public:
    CurveGraph();

    void paint(QImage& backBuffer, const GraphScene& scene);

private:
    struct Label {
        QPoint origin;  // left end of the baseline
        QString text;
    };
    // Where the moving parts of one picture go.
    struct MovingParts {
        QPolygon outputLine;  // empty unless the output curve is shown
        QPolygon curveLine;   // the curve as a line with every level a point, else empty
        std::vector<QPoint> dots;
        std::vector<QPoint> markers;
        std::vector<Label> labels;
    };
    // What the back buffer holds since this graph last painted it.
    struct Painted {
        qint64 bufferKey = 0;
        QSize bufferSize;
        qreal ratio = 0;
        EdgeRect graphRect;
        EdgeRect plotRect;
        std::vector<QRect> rects;  // where moving parts were drawn, with room for their pens
    };

    MovingParts placeMovingParts(const GraphScene& scene, const QFontMetrics& metrics);
    std::vector<QRect> rectsOf(const MovingParts& parts, const QFontMetrics& metrics) const;
    bool holdsLastPicture(const QImage& backBuffer, const GraphScene& scene) const;
    void ensureBackground(const QImage& backBuffer, const GraphScene& scene);
    // Copies the background back into a rectangle (client coordinates) of the graph area.
    void restoreBackground(QImage& backBuffer, const QRect& rect) const;
    void drawFrameAndGrid(QPainter& p, const EdgeRect& plot);
    void drawMovingParts(QPainter& p, const MovingParts& parts);
    const PanelResponse& responseFor(double panelGamma);

    // The panel response and the sprite bitmaps depend only on their own inputs, so they are
    // kept between paints; every pixel comes out as if they were rebuilt each time.
    PanelResponse response_;
    double responseGamma_ = -1.0;
    QImage markerMask_;
    QImage markerImage_;
    QImage dotMask_;
    QImage dotImage_;
    QImage background_;  // the field, the frame and the grid alone, at the back buffer's size
    EdgeRect backgroundGraph_;
    EdgeRect backgroundPlot_;
    QRect backgroundPixels_;
    Painted painted_;
};

}  // namespace grayden
