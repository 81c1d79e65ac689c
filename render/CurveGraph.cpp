#include "render/CurveGraph.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <tuple>

#include "render/ResourceFiles.h"
#include "render/UiText.h"

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
    const QFontMetrics metrics(graphLabelFont(), &backBuffer);
    const MovingParts parts = placeMovingParts(scene, metrics);
    std::vector<QRect> rects = rectsOf(parts, metrics);
    if (holdsLastPicture(backBuffer, scene)) {
        // Most parts stay where they were: their rectangles are restored once.
        std::vector<QRect> restore = std::move(painted_.rects);
        restore.insert(restore.end(), rects.begin(), rects.end());
        const auto order = [](const QRect& a, const QRect& b) {
            return std::tuple(a.top(), a.left(), a.bottom(), a.right()) <
                   std::tuple(b.top(), b.left(), b.bottom(), b.right());
        };
        std::sort(restore.begin(), restore.end(), order);
        restore.erase(std::unique(restore.begin(), restore.end()), restore.end());
        ensureBackground(backBuffer, scene);
        for (const QRect& r : restore) restoreBackground(backBuffer, r);
    } else {
        QPainter p(&backBuffer);
        p.fillRect(scene.graphRect.toQRect(), Qt::black);
        drawFrameAndGrid(p, scene.plotRect);
    }
    {
        QPainter p(&backBuffer);
        drawMovingParts(p, parts);
    }
    painted_ = Painted{backBuffer.cacheKey(), backBuffer.size(), backBuffer.devicePixelRatio(),
                       scene.graphRect,       scene.plotRect,    std::move(rects)};
}

bool CurveGraph::holdsLastPicture(const QImage& backBuffer, const GraphScene& scene) const {
    // Any other change to the image gives it a new key.
    return painted_.bufferKey == backBuffer.cacheKey() && painted_.bufferSize == backBuffer.size() &&
           painted_.ratio == backBuffer.devicePixelRatio() && painted_.graphRect == scene.graphRect &&
           painted_.plotRect == scene.plotRect;
}

namespace {

// A rectangle in the image's pixels, widened to whole pixels and held inside the image.
QRect pixelsOf(const QImage& image, const QRect& rect) {
    const qreal ratio = image.devicePixelRatio();
    const int left = static_cast<int>(std::floor(rect.left() * ratio));
    const int top = static_cast<int>(std::floor(rect.top() * ratio));
    const int right = static_cast<int>(std::ceil((rect.left() + rect.width()) * ratio));
    const int bottom = static_cast<int>(std::ceil((rect.top() + rect.height()) * ratio));
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)).intersected(image.rect());
}

// Both images have the same size and format.
void copyPixels(const QImage& from, QImage& to, const QRect& pixels) {
    if (pixels.isEmpty()) return;
    const qsizetype pixelBytes = to.depth() / 8;
    const qsizetype rowBytes = pixels.width() * pixelBytes;
    uchar* target = to.bits();
    const uchar* source = from.constBits();
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        const qsizetype offset = y * to.bytesPerLine() + pixels.left() * pixelBytes;
        std::memcpy(target + offset, source + offset, static_cast<std::size_t>(rowBytes));
    }
}

}  // namespace

// Drawn on its own, by the same code, so a complete repaint (every resize) pays nothing for it;
// only the first repaint in place after a change of size or place does.
void CurveGraph::ensureBackground(const QImage& backBuffer, const GraphScene& scene) {
    if (background_.size() == backBuffer.size() && background_.format() == backBuffer.format() &&
        background_.devicePixelRatio() == backBuffer.devicePixelRatio() && backgroundGraph_ == scene.graphRect &&
        backgroundPlot_ == scene.plotRect) {
        return;
    }
    background_ = QImage(backBuffer.size(), backBuffer.format());
    background_.setDevicePixelRatio(backBuffer.devicePixelRatio());
    {
        QPainter p(&background_);
        p.fillRect(scene.graphRect.toQRect(), Qt::black);
        drawFrameAndGrid(p, scene.plotRect);
    }
    backgroundGraph_ = scene.graphRect;
    backgroundPlot_ = scene.plotRect;
    backgroundPixels_ = pixelsOf(background_, scene.graphRect.toQRect());
}

void CurveGraph::restoreBackground(QImage& backBuffer, const QRect& rect) const {
    copyPixels(background_, backBuffer, pixelsOf(backBuffer, rect).intersected(backgroundPixels_));
}

CurveGraph::MovingParts CurveGraph::placeMovingParts(const GraphScene& scene, const QFontMetrics& metrics) {
    MovingParts parts;
    const ToneTable& table = *scene.table;
    const EdgeRect& r = scene.plotRect;
    if (scene.showOutputCurve) {
        const PanelResponse& response = responseFor(scene.panelGamma);
        parts.outputLine =
            curvePolyline(r, [&](int level) { return static_cast<int>(outputCurve(table, response, level)); });
    }
    for (int level = 0; level <= 256; level += 25) {
        const QString text = QString::number(level);
        parts.labels.push_back(
            {{gridX(r, level) - metrics.horizontalAdvance(text) / 2, r.bottom + 5 + metrics.ascent()}, text});
    }
    for (int value = 816; value <= FullScale; value += 816) {
        const QString text = QString::number(value);
        parts.labels.push_back(
            {{r.left - 3 - metrics.horizontalAdvance(text), gridY(r, value) - 9 + metrics.ascent()}, text});
    }
    if (scene.pointCount >= LevelCount) {
        parts.curveLine = curvePolyline(r, [&](int level) { return static_cast<int>(table[level]); });
        return parts;
    }
    for (int level = 0; level < LevelCount; level += 3) {
        parts.dots.push_back(QPoint(curveX(r, level), curveY(r, table[level])) - QPoint(3, 3));
    }
    for (int k = 0; k < scene.pointCount; ++k) {
        const ControlPoint& point = (*scene.points)[k];
        parts.markers.push_back(QPoint(markerX(r, point.level), markerY(r, point.value)) + QPoint(-6 + 1, -6 - 1));
    }
    return parts;
}

std::vector<QRect> CurveGraph::rectsOf(const MovingParts& parts, const QFontMetrics& metrics) const {
    std::vector<QRect> rects;
    rects.reserve(parts.outputLine.size() + parts.curveLine.size() + parts.dots.size() + parts.markers.size() +
                  parts.labels.size());
    // The wide pen, its round ends and the half-pixel shift on scaled buffers stay within 3 pixels.
    for (const QPolygon* line : {&parts.outputLine, &parts.curveLine}) {
        for (qsizetype i = 1; i < line->size(); ++i) {
            rects.push_back(QRect(line->at(i - 1), line->at(i)).normalized().adjusted(-3, -3, 3, 3));
        }
    }
    for (const QPoint& corner : parts.dots) rects.push_back(QRect(corner, dotMask_.size()).adjusted(-1, -1, 1, 1));
    for (const QPoint& corner : parts.markers) {
        rects.push_back(QRect(corner, markerMask_.size()).adjusted(-1, -1, 1, 1));
    }
    // Smoothed glyph edges may reach a little beyond the ink and the advance.
    for (const Label& label : parts.labels) {
        const QRect advance(label.origin.x(), label.origin.y() - metrics.ascent(),
                            metrics.horizontalAdvance(label.text), metrics.height());
        rects.push_back(
            metrics.boundingRect(label.text).translated(label.origin).united(advance).adjusted(-2, -2, 2, 2));
    }
    return rects;
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

void CurveGraph::drawMovingParts(QPainter& p, const MovingParts& parts) {
    if (!parts.outputLine.isEmpty()) {
        const LinesOnPixelCentres centred(p);
        drawTwoPenLine(p, parts.outputLine, QColor(140, 140, 70), QColor(255, 255, 128));
    }
    p.setFont(graphLabelFont());
    p.setPen(Silver);
    p.setBackgroundMode(Qt::TransparentMode);
    for (const Label& label : parts.labels) p.drawText(label.origin, label.text);
    if (!parts.curveLine.isEmpty()) {
        const LinesOnPixelCentres centred(p);
        drawTwoPenLine(p, parts.curveLine, QColor(156, 156, 156), QColor(255, 255, 255));
    }
    for (const QPoint& corner : parts.dots) drawSprite(p, corner, dotMask_, dotImage_);
    for (const QPoint& corner : parts.markers) drawSprite(p, corner, markerMask_, markerImage_);
}

}  // namespace grayden
