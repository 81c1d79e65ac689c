// The program icon is drawn on a 32-unit grid, so one drawing serves every size it is wanted in.
#include "AppIcon.h"

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

QImage appIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    p.setPen(QPen(QColor(40, 40, 48), 1));
    p.setBrush(QColor(96, 100, 112));
    p.drawRoundedRect(QRectF(1.5, 2.5, 29, 22), 2, 2);
    p.setBrush(QColor(70, 74, 84));
    p.drawRect(QRectF(12.5, 24.5, 7, 3));
    p.drawRoundedRect(QRectF(8.5, 27.5, 15, 3), 1, 1);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRect(QRectF(4, 5, 24, 17));
    p.setPen(QPen(QColor(192, 192, 192), 0.6));
    for (int i = 1; i < 4; ++i) {
        p.drawLine(QPointF(4 + 6 * i, 5), QPointF(4 + 6 * i, 22));
        p.drawLine(QPointF(4, 5 + 4.25 * i), QPointF(28, 5 + 4.25 * i));
    }
    QPainterPath curve(QPointF(4.5, 21.5));
    curve.cubicTo(QPointF(14, 21), QPointF(18, 12), QPointF(27.5, 5.5));
    p.setPen(QPen(QColor(255, 255, 255), 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 120, 255));
    p.drawEllipse(QPointF(16.5, 15.0), 2.4, 2.4);
    return image;
}
