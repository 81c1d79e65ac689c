#include "render/ConformancePlot.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

#include "render/ChartDrawing.h"
#include "render/UiText.h"
#include "resources/StringIds.h"

namespace grayden {

namespace {

constexpr int Width = ConformancePlotSize.width();
constexpr int Height = ConformancePlotSize.height();

QString number(double value, int decimals) { return QString::number(value, 'f', decimals); }

Chart levelChart(QRectF frame, double low, double high) { return {frame, 0, 255, low, high}; }

void drawLevelAxis(QPainter& p, const Chart& c, const QString& title) {
    drawChartFrame(p, c, title, uiText(PlotInputLevel));
    for (int level = 0; level <= 255; level += 15) drawXTick(p, c, level, QString::number(level));
}

void drawLuminance(QPainter& p, const ConformanceReport& report, std::span<const Measurement> measured) {
    double lowest = report.expectedLuminance(report.firstLevel);
    double highest = report.expectedLuminance(report.lastLevel);
    for (const Measurement& m : measured) {
        lowest = std::min(lowest, m.luminance + report.ambient);
        highest = std::max(highest, m.luminance + report.ambient);
    }
    const Chart c =
        levelChart(QRectF(90, 50, Width - 130, 270), std::floor(std::log10(lowest)), std::ceil(std::log10(highest)));
    drawLevelAxis(p, c, uiText(PlotLuminanceTitle));
    for (double decade = c.low; decade <= c.high; decade += 1) {
        drawYTick(p, c, decade, QString::number(std::pow(10.0, decade), 'g', 6));
    }
    QPolygonF target;
    for (int level = report.firstLevel; level <= report.lastLevel; ++level) {
        target << QPointF(c.x(level), c.y(std::log10(report.expectedLuminance(level))));
    }
    p.setPen(QPen(StandardColour, 2));
    p.drawPolyline(target);
    QPolygonF line;
    for (const Measurement& m : measured) {
        line << QPointF(c.x(m.level), c.y(std::log10(m.luminance + report.ambient)));
    }
    p.setPen(QPen(MeasuredColour, 1));
    p.drawPolyline(line);
    for (const QPointF& point : line) drawDot(p, point, MeasuredColour);
    drawLegend(p, QPointF(c.frame.right() - 230, c.frame.top() + 18), StandardColour, uiText(PlotStandard));
    drawLegend(p, QPointF(c.frame.right() - 230, c.frame.top() + 38), MeasuredColour, uiText(PlotMeasured));
}

void drawContrast(QPainter& p, const ConformanceReport& report) {
    const double band = report.tolerancePercent / 100.0;
    double highest = 0;
    double lowest = 0;
    for (const ConformanceStep& s : report.steps) {
        highest = std::max({highest, s.observed, s.expected * (1 + band)});
        lowest = std::min({lowest, s.observed, s.expected * (1 - band)});
    }
    const Chart c = levelChart(QRectF(90, 400, Width - 130, 270), lowest, highest * 1.1);
    drawLevelAxis(p, c, uiText(PlotContrastTitle));
    for (int k = 0; k <= 4; ++k) {
        const double value = c.low + (c.high - c.low) * k / 4;
        drawYTick(p, c, value, number(value, 4));
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
    p.setPen(QPen(StandardColour, 2));
    p.drawPolyline(expected);
    p.setPen(QPen(MeasuredColour, 1));
    p.drawPolyline(observed);
    for (const QPointF& point : observed) drawDot(p, point, MeasuredColour);
    drawLegend(p, QPointF(c.frame.right() - 230, c.frame.top() + 18), StandardColour,
               uiText(PlotStandardBandFormat).arg(number(report.tolerancePercent, 1)));
    drawLegend(p, QPointF(c.frame.right() - 230, c.frame.top() + 38), MeasuredColour, uiText(PlotMeasured));
}

}  // namespace

void drawConformancePlot(QPainter& p, const ConformanceReport& report, std::span<const Measurement> measured) {
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRect(0, 0, Width, Height), Qt::white);
    p.setFont(reportFont(13));
    drawLuminance(p, report, measured);
    drawContrast(p, report);
    const ConformanceStep& worst = report.steps[report.worstStep];
    const QString verdict = uiText(PlotVerdictFormat)
                                .arg(uiText(report.passed ? PlotPass : PlotFail))
                                .arg(number(report.largestDeviationPercent, 1))
                                .arg(worst.lowerLevel)
                                .arg(worst.upperLevel)
                                .arg(number(report.tolerancePercent, 1));
    p.setFont(reportFont(15, QFont::Bold));
    p.setPen(report.passed ? PassColour : MeasuredColour);
    p.drawText(QRectF(90, Height - 40, Width - 130, 24), Qt::AlignLeft | Qt::AlignVCenter, verdict);
}

}  // namespace grayden
