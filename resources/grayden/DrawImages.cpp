// Draws the editor's bitmaps, icon and cursor into the folder given on the command line.
// The masks are exact pixel patterns; the shaded images follow them pixel for pixel.
#include "AppIcon.h"

#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

struct Stop {
    double at;
    QColor colour;
};

QColor ramp(const std::vector<Stop>& stops, double t) {
    t = std::clamp(t, 0.0, 1.0);
    for (std::size_t i = 1; i < stops.size(); ++i) {
        if (t <= stops[i].at) {
            const double f = (t - stops[i - 1].at) / (stops[i].at - stops[i - 1].at);
            const QColor& a = stops[i - 1].colour;
            const QColor& b = stops[i].colour;
            return QColor(int(std::lround(a.red() + f * (b.red() - a.red()))),
                          int(std::lround(a.green() + f * (b.green() - a.green()))),
                          int(std::lround(a.blue() + f * (b.blue() - a.blue()))));
        }
    }
    return stops.back().colour;
}

// Rows of the 12 × 12 marker mask as counts of white pixels at each end (the rest is black).
constexpr int MarkerMaskInset[12] = {4, 2, 1, 1, 0, 0, 0, 0, 1, 1, 2, 4};

bool inMarkerDisc(int x, int y) { return x >= MarkerMaskInset[y] && x < 12 - MarkerMaskInset[y]; }

bool inDotSquare(int x, int y) {
    const bool corner = (x == 0 || x == 5) && (y == 0 || y == 5);
    return !corner;
}

QImage rgbImage(int size) {
    QImage image(size, size, QImage::Format_RGB888);
    image.fill(Qt::black);
    return image;
}

QImage mask(int size, bool (*inside)(int, int)) {
    QImage image = rgbImage(size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) image.setPixelColor(x, y, inside(x, y) ? Qt::black : Qt::white);
    return image;
}

// A ball lit from the upper left: the colour follows the distance from the highlight.
QImage ball(int size, bool (*inside)(int, int), QPointF highlight, double reach, const std::vector<Stop>& stops) {
    QImage image = rgbImage(size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            if (!inside(x, y)) continue;
            const double d = std::hypot(x + 0.5 - highlight.x(), y + 0.5 - highlight.y());
            image.setPixelColor(x, y, ramp(stops, d / reach));
        }
    }
    return image;
}

QImage markerImage() {
    return ball(12, inMarkerDisc, QPointF(4.0, 4.0), 10.0,
                {{0.0, QColor(255, 255, 255)}, {0.22, QColor(247, 207, 255)}, {1.0, QColor(216, 41, 253)}});
}

QImage dotImage() {
    return ball(6, inDotSquare, QPointF(2.6, 2.6), 3.6,
                {{0.0, QColor(255, 255, 255)}, {0.4, QColor(252, 255, 207)}, {1.0, QColor(74, 76, 62)}});
}

// The hand cursor: an open hand in white with a black outline and silver shading, drawn
// without smoothing so it keeps to a few flat colours. The index finger holds the hot spot.
QImage handCursor() {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    QPainterPath hand;
    hand.addRoundedRect(QRectF(6, 3, 4, 14), 2, 2);   // index finger
    hand.addRoundedRect(QRectF(10, 1, 4, 15), 2, 2);  // middle finger
    hand.addRoundedRect(QRectF(14, 2, 4, 14), 2, 2);  // ring finger
    hand.addRoundedRect(QRectF(18, 5, 4, 12), 2, 2);  // little finger
    QPainterPath thumb;
    thumb.addRoundedRect(QRectF(-2, -7, 4, 11), 2, 2);
    hand.addPath(QTransform().translate(5, 19).rotate(-35).map(thumb));
    hand.addRoundedRect(QRectF(6, 13, 16, 14), 4, 4);  // palm
    hand.setFillRule(Qt::WindingFill);
    hand = hand.simplified();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(hand);
    const QColor silver(192, 192, 192);
    p.setPen(silver);
    for (int x : {10, 14, 18}) p.drawLine(x, 7, x, 14);
    p.drawLine(20, 18, 20, 24);
    p.drawLine(9, 25, 19, 25);
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawPath(hand);
    return image;
}

bool save(const QImage& image, const QString& folder, const char* name) {
    const QString path = folder + "/" + name;
    if (!image.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s output-folder\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    bool ok = save(mask(12, inMarkerDisc), folder, "bitmap139.bmp");
    ok = save(markerImage(), folder, "bitmap135.bmp") && ok;
    ok = save(mask(6, inDotSquare), folder, "bitmap140.bmp") && ok;
    ok = save(dotImage(), folder, "bitmap137.bmp") && ok;
    ok = save(appIcon(32), folder, "icon128.png") && ok;
    ok = save(appIcon(16), folder, "icon128-16.png") && ok;
    ok = save(handCursor(), folder, "cursor144.png") && ok;
    return ok ? 0 : 1;
}
