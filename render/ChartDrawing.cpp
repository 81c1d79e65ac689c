#include "render/ChartDrawing.h"

#include <QPainter>

#include <algorithm>

namespace grayden {

QFont reportFont(double pixelSize, QFont::Weight weight) {
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("IPAPGothic")});
    font.setPixelSize(static_cast<int>(pixelSize));
    font.setWeight(weight);
    return font;
}

double Chart::x(double value) const { return frame.left() + frame.width() * (value - left) / (right - left); }

double Chart::y(double value) const {
    const double t = (std::clamp(value, low, high) - low) / (high - low);
    return frame.bottom() - frame.height() * t;
}

void drawChartFrame(QPainter& p, const Chart& c, const QString& title, const QString& axis) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(c.frame);
    p.drawText(QRectF(c.frame.left(), c.frame.top() - 26, c.frame.width(), 20), Qt::AlignLeft | Qt::AlignBottom, title);
    p.drawText(QRectF(c.frame.left(), c.frame.bottom() + 20, c.frame.width(), 18), Qt::AlignHCenter | Qt::AlignTop,
               axis);
}

void drawXTick(QPainter& p, const Chart& c, double x, const QString& text) {
    p.setPen(QPen(GridColour, 1));
    p.drawLine(QPointF(c.x(x), c.frame.top()), QPointF(c.x(x), c.frame.bottom()));
    p.setPen(Qt::black);
    // A label of two lines, a date over a time, runs below its box.
    p.drawText(QRectF(c.x(x) - 40, c.frame.bottom() + 4, 80, 16), Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip,
               text);
}

void drawYTick(QPainter& p, const Chart& c, double value, const QString& text) {
    p.setPen(QPen(GridColour, 1));
    p.drawLine(QPointF(c.frame.left(), c.y(value)), QPointF(c.frame.right(), c.y(value)));
    p.setPen(Qt::black);
    p.drawText(QRectF(c.frame.left() - 70, c.y(value) - 8, 64, 16), Qt::AlignRight | Qt::AlignVCenter, text);
}

void drawDot(QPainter& p, QPointF centre, const QColor& colour) {
    p.setPen(QPen(colour, 1));
    p.setBrush(colour);
    p.drawEllipse(centre, 3.5, 3.5);
    p.setBrush(Qt::NoBrush);
}

void drawLegend(QPainter& p, QPointF at, const QColor& colour, const QString& text) {
    p.setPen(QPen(colour, 2));
    p.drawLine(at, at + QPointF(24, 0));
    p.setPen(Qt::black);
    p.drawText(at + QPointF(30, 5), text);
}

}  // namespace grayden
