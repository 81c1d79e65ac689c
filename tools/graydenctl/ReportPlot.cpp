#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

#include "PlotCanvas.h"
#include "Plots.h"

namespace grayden::ctl {

namespace {

constexpr int Width = 900;
constexpr int Height = 760;
const QColor TargetColour(30, 90, 200);
const QColor MeasuredColour(200, 40, 40);
const QColor GridColour(215, 215, 215);

// One chart: a frame over input levels 0..255 and a value range, mapped to pixels.
struct Chart {
    QRectF frame;
    double low;
    double high;

    double x(double level) const { return frame.left() + frame.width() * level / 255.0; }
    double y(double value) const {
        const double t = (std::clamp(value, low, high) - low) / (high - low);
        return frame.bottom() - frame.height() * t;
    }
};

QString number(double value, int decimals) { return QString::number(value, 'f', decimals); }

void drawFrame(QPainter& p, const Chart& c, const QString& title, const QString& axis) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(c.frame);
    for (int level = 0; level <= 255; level += 15) {
        p.setPen(QPen(GridColour, 1));
        p.drawLine(QPointF(c.x(level), c.frame.top()), QPointF(c.x(level), c.frame.bottom()));
        p.setPen(Qt::black);
        p.drawText(QRectF(c.x(level) - 20, c.frame.bottom() + 4, 40, 16), Qt::AlignHCenter | Qt::AlignTop,
                   QString::number(level));
    }
    p.drawText(QRectF(c.frame.left(), c.frame.top() - 26, c.frame.width(), 20), Qt::AlignLeft | Qt::AlignBottom, title);
    p.drawText(QRectF(c.frame.left(), c.frame.bottom() + 20, c.frame.width(), 18), Qt::AlignHCenter | Qt::AlignTop,
               axis);
}

void drawYLabel(QPainter& p, const Chart& c, double value, const QString& text) {
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

// Luminance on a log scale: the standard's curve through the measured span and the measurements.
void drawLuminance(QPainter& p, const ConformanceReport& report, std::span<const Measurement> measured,
                   double ambient) {
    double lowest = report.expectedLuminance(report.firstLevel);
    double highest = report.expectedLuminance(report.lastLevel);
    for (const Measurement& m : measured) {
        lowest = std::min(lowest, m.luminance + ambient);
        highest = std::max(highest, m.luminance + ambient);
    }
    const Chart c{QRectF(90, 50, Width - 130, 270), std::floor(std::log10(lowest)), std::ceil(std::log10(highest))};
    drawFrame(p, c, "Luminance (cd/m\u00b2, log scale)", "input level");
    for (double decade = c.low; decade <= c.high; decade += 1) {
        drawYLabel(p, c, decade, QString::number(std::pow(10.0, decade), 'g', 6));
    }
    QPolygonF target;
    for (int level = report.firstLevel; level <= report.lastLevel; ++level) {
        target << QPointF(c.x(level), c.y(std::log10(report.expectedLuminance(level))));
    }
    p.setPen(QPen(TargetColour, 2));
    p.drawPolyline(target);
    QPolygonF line;
    for (const Measurement& m : measured) line << QPointF(c.x(m.level), c.y(std::log10(m.luminance + ambient)));
    p.setPen(QPen(MeasuredColour, 1));
    p.drawPolyline(line);
    for (const QPointF& point : line) drawDot(p, point, MeasuredColour);
    drawLegend(p, QPointF(c.frame.right() - 230, c.frame.top() + 18), TargetColour, "greyscale standard");
    drawLegend(p, QPointF(c.frame.right() - 230, c.frame.top() + 38), MeasuredColour, "measured");
}

// Contrast response per step at the step's middle level, and the standard's with its band.
void drawContrast(QPainter& p, const ConformanceReport& report) {
    const double band = report.tolerancePercent / 100.0;
    double highest = 0;
    double lowest = 0;
    for (const ConformanceStep& s : report.steps) {
        highest = std::max({highest, s.observed, s.expected * (1 + band)});
        lowest = std::min({lowest, s.observed, s.expected * (1 - band)});
    }
    const Chart c{QRectF(90, 400, Width - 130, 270), lowest, highest * 1.1};
    drawFrame(p, c, "Contrast response (\u0394L/L per JND)", "input level");
    for (int k = 0; k <= 4; ++k) {
        const double value = c.low + (c.high - c.low) * k / 4;
        drawYLabel(p, c, value, number(value, 4));
    }
    QPolygonF upper;
    QPolygonF lower;
    QPolygonF expected;
    QPolygonF observed;
    for (const ConformanceStep& s : report.steps) {
        const double middle = 0.5 * (s.lowerLevel + s.upperLevel);
        upper << QPointF(c.x(middle), c.y(s.expected * (1 + band)));
        lower.prepend(QPointF(c.x(middle), c.y(s.expected * (1 - band))));
        expected << QPointF(c.x(middle), c.y(s.expected));
        observed << QPointF(c.x(middle), c.y(s.observed));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 90, 200, 50));
    p.drawPolygon(upper + lower);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(TargetColour, 2));
    p.drawPolyline(expected);
    p.setPen(QPen(MeasuredColour, 1));
    p.drawPolyline(observed);
    for (const QPointF& point : observed) drawDot(p, point, MeasuredColour);
    drawLegend(p, QPointF(c.frame.right() - 230, c.frame.top() + 18), TargetColour,
               "greyscale standard \u00b1" + number(report.tolerancePercent, 1) + " %");
    drawLegend(p, QPointF(c.frame.right() - 230, c.frame.top() + 38), MeasuredColour, "measured");
}

}  // namespace

bool saveReportPlot(const std::string& path, const ConformanceReport& report, std::span<const Measurement> measured,
                    std::string& error) {
    const double ambient = report.ambient;
    return savePlot(
        path, QSize(Width, Height),
        [&](QPainter& p) {
            p.setRenderHint(QPainter::Antialiasing);
            p.fillRect(QRect(0, 0, Width, Height), Qt::white);
            QFont font("Liberation Sans");
            font.setPixelSize(13);
            p.setFont(font);
            drawLuminance(p, report, measured, ambient);
            drawContrast(p, report);
            const ConformanceStep& worst = report.steps[report.worstStep];
            const QString verdict = QString("%1: largest deviation %2 % at levels %3-%4, tolerance %5 %")
                                        .arg(report.passed ? "PASS" : "FAIL")
                                        .arg(number(report.largestDeviationPercent, 1))
                                        .arg(worst.lowerLevel)
                                        .arg(worst.upperLevel)
                                        .arg(number(report.tolerancePercent, 1));
            QFont bold = font;
            bold.setBold(true);
            bold.setPixelSize(15);
            p.setFont(bold);
            p.setPen(report.passed ? QColor(20, 120, 40) : MeasuredColour);
            p.drawText(QRectF(90, Height - 40, Width - 130, 24), Qt::AlignLeft | Qt::AlignVCenter, verdict);
        },
        error);
}

}  // namespace grayden::ctl
