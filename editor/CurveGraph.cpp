#include "editor/CurveGraph.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPolygon>

#include "editor/ResourceFiles.h"
#include "editor/UiText.h"

namespace grayden {

namespace {

constexpr int MarkerImageId = 135;
constexpr int DotImageId = 137;
constexpr int MarkerMaskId = 139;
constexpr int DotMaskId = 140;

const QColor Silver(192, 192, 192);

QPen solidPen(const QColor& colour, int width) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// Every second level and the last one, plus a one-pixel tail so the end pixel is set.
template <typename ValueAt>
QPolygon curvePolyline(const EdgeRect& plot, ValueAt valueAt) {
    QPolygon line;
    line.reserve(131);
    for (int level = 0;; level += 2) {
        if (level > 255) level = 255;
        line << QPoint(curveX(plot, level), curveY(plot, valueAt(level)));
        if (level == 255) break;
    }
    line << line.last() + QPoint(1, 0);
    return line;
}

// A one-pixel line leaves out its end pixel, as the system's line drawing does, while Qt's
// aliased one-pixel lines set it; so the thin pass stops at the end pixel the tail is there to set.
void drawTwoPenLine(QPainter& p, const QPolygon& line, const QColor& outer, const QColor& inner) {
    p.setPen(solidPen(outer, 3));
    p.drawPolyline(line);
    p.setPen(solidPen(inner, 1));
    p.drawPolyline(line.constData(), static_cast<int>(line.size()) - 1);
}

// On a scaled back buffer an aliased line is centred on the edge between device pixels, half a
// logical pixel off; drawn from the middle of its logical pixel it covers exactly that pixel's
// device pixels, as it does unscaled.
class LinesOnPixelCentres {
public:
    explicit LinesOnPixelCentres(QPainter& p)
        : painter_(p), shift_(p.device()->devicePixelRatioF() == 1.0 ? 0.0 : 0.5) {
        painter_.translate(shift_, shift_);
    }
    ~LinesOnPixelCentres() { painter_.translate(-shift_, -shift_); }
    LinesOnPixelCentres(const LinesOnPixelCentres&) = delete;
    LinesOnPixelCentres& operator=(const LinesOnPixelCentres&) = delete;

private:
    QPainter& painter_;
    qreal shift_;
};

// The mask clears the sprite's square (AND), the image then adds its colours (OR).
void drawSprite(QPainter& p, QPoint topLeft, const QImage& mask, const QImage& image) {
    p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    p.drawImage(topLeft, mask);
    p.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
    p.drawImage(topLeft, image);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

}  // namespace

CurveGraph::CurveGraph()
    : markerMask_(loadBitmap(MarkerMaskId)),
      markerImage_(loadBitmap(MarkerImageId)),
      dotMask_(loadBitmap(DotMaskId)),
      dotImage_(loadBitmap(DotImageId)) {}

const PanelResponse& CurveGraph::responseFor(double panelGamma) {
    if (panelGamma != responseGamma_ || response_.empty()) {
        response_ = makePanelResponse(panelGamma);
        responseGamma_ = panelGamma;
    }
    return response_;
}

void CurveGraph::paint(QImage& backBuffer, const GraphScene& scene) {
    QPainter p(&backBuffer);
    p.fillRect(scene.graphRect.toQRect(), Qt::black);
    drawFrameAndGrid(p, scene.plotRect);
    if (scene.showOutputCurve) drawOutputCurve(p, scene);
    drawLabels(p, scene.plotRect);
    drawCurve(p, scene);
    if (scene.pointCount < LevelCount) drawMarkers(p, scene);
}

void CurveGraph::drawFrameAndGrid(QPainter& p, const EdgeRect& r) {
    const LinesOnPixelCentres centred(p);
    p.setPen(solidPen(Silver, 3));
    const QPoint outline[] = {
        {r.right - 2, r.bottom}, {r.left, r.bottom}, {r.left, r.top}, {r.right - 2, r.top}, {r.right - 2, r.bottom}};
    p.drawPolyline(outline, 5);
    // One-pixel grid lines leave out their end pixel: the top edge and the right edge.
    p.setPen(solidPen(Silver, 1));
    for (int level = 25; level < 256; level += 25) {
        const int x = gridX(r, level);
        p.drawLine(x, r.bottom, x, r.top + 1);
    }
    for (int value = 816; value < FullScale; value += 816) {
        const int y = gridY(r, value);
        p.drawLine(r.left, y, r.right - 1, y);
    }
}

void CurveGraph::drawOutputCurve(QPainter& p, const GraphScene& scene) {
    const PanelResponse& response = responseFor(scene.panelGamma);
    const ToneTable& table = *scene.table;
    const QPolygon line =
        curvePolyline(scene.plotRect, [&](int level) { return static_cast<int>(outputCurve(table, response, level)); });
    const LinesOnPixelCentres centred(p);
    drawTwoPenLine(p, line, QColor(140, 140, 70), QColor(255, 255, 128));
}

void CurveGraph::drawLabels(QPainter& p, const EdgeRect& r) {
    p.setFont(graphLabelFont());
    p.setPen(Silver);
    p.setBackgroundMode(Qt::TransparentMode);
    const QFontMetrics metrics = p.fontMetrics();
    for (int level = 0; level <= 256; level += 25) {
        const QString text = QString::number(level);
        const int width = metrics.horizontalAdvance(text);
        p.drawText(gridX(r, level) - width / 2, r.bottom + 5 + metrics.ascent(), text);
    }
    for (int value = 816; value <= FullScale; value += 816) {
        const QString text = QString::number(value);
        const int width = metrics.horizontalAdvance(text);
        p.drawText(r.left - 3 - width, gridY(r, value) - 9 + metrics.ascent(), text);
    }
}

void CurveGraph::drawCurve(QPainter& p, const GraphScene& scene) {
    const ToneTable& table = *scene.table;
    const EdgeRect& r = scene.plotRect;
    if (scene.pointCount >= LevelCount) {
        const QPolygon line = curvePolyline(r, [&](int level) { return static_cast<int>(table[level]); });
        const LinesOnPixelCentres centred(p);
        drawTwoPenLine(p, line, QColor(156, 156, 156), QColor(255, 255, 255));
        return;
    }
    for (int level = 0; level < LevelCount; level += 3) {
        const QPoint centre(curveX(r, level), curveY(r, table[level]));
        drawSprite(p, centre - QPoint(3, 3), dotMask_, dotImage_);
    }
}

void CurveGraph::drawMarkers(QPainter& p, const GraphScene& scene) {
    const EdgeRect& r = scene.plotRect;
    for (int k = 0; k < scene.pointCount; ++k) {
        const ControlPoint& point = (*scene.points)[k];
        const QPoint centre(markerX(r, point.level), markerY(r, point.value));
        drawSprite(p, centre + QPoint(-6 + 1, -6 - 1), markerMask_, markerImage_);
    }
}

}  // namespace grayden
