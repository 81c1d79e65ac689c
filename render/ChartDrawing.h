#pragma once

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>

class QPainter;

namespace grayden {

// The colours every chart of a report shares.
inline const QColor StandardColour(30, 90, 200);
inline const QColor MeasuredColour(200, 40, 40);
inline const QColor PassColour(20, 120, 40);
inline const QColor GridColour(215, 215, 215);

// The face of a report's texts in either language: Liberation Sans, with IPAPGothic for the
// Japanese characters it lacks.
QFont reportFont(double pixelSize, QFont::Weight weight = QFont::Normal);

// One chart: a frame over an x range and a y range, mapped to the painter's coordinates.
struct Chart {
    QRectF frame;
    double left = 0;
    double right = 1;
    double low = 0;
    double high = 1;

    double x(double value) const;
    // Values outside the range are held to the frame.
    double y(double value) const;
};

// The frame with its title above it and the axis name below it.
void drawChartFrame(QPainter& p, const Chart& c, const QString& title, const QString& axis);
// A vertical grid line at x with its label under the frame.
void drawXTick(QPainter& p, const Chart& c, double x, const QString& text);
// A horizontal grid line at value with its label left of the frame.
void drawYTick(QPainter& p, const Chart& c, double value, const QString& text);
void drawDot(QPainter& p, QPointF centre, const QColor& colour);
// A short line in the colour and the text beside it.
void drawLegend(QPainter& p, QPointF at, const QColor& colour, const QString& text);

}  // namespace grayden
