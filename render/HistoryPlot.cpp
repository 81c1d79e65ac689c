#include "render/HistoryPlot.h"

#include <QDateTime>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <functional>

#include "render/ChartDrawing.h"
#include "render/UiText.h"
#include "resources/StringIds.h"

namespace grayden {

namespace {

constexpr int Width = HistoryPlotSize.width();
const QColor LimitColour(200, 120, 0);

struct Series {
    int titleId;
    std::function<double(const HistoryRecord&)> value;
    std::function<QList<double>(const HistoryRecord&)> limits;  // of the criteria in force then
};

// The figures of one chart against the dates of the reports; a single report stands in the
// middle of a day-wide range.
void drawSeries(QPainter& p, QRectF frame, const Series& series, const MonitorHistory& history,
                const std::vector<double>& times) {
    double first = times.empty() ? 0 : *std::min_element(times.begin(), times.end());
    double last = times.empty() ? 0 : *std::max_element(times.begin(), times.end());
    if (last - first < 1) {
        first -= 43200;
        last += 43200;
    }
    double low = 0;
    double high = 1;
    for (std::size_t i = 0; i < history.records.size(); ++i) {
        low = std::min(low, series.value(history.records[i]));
        high = std::max(high, series.value(history.records[i]));
        for (const double limit : series.limits(history.records[i])) {
            low = std::min(low, limit);
            high = std::max(high, limit);
        }
    }
    const double margin = (high - low) * 0.1;
    const Chart c{frame, first, last, low - (low < 0 ? margin : 0), high + margin};
    drawChartFrame(p, c, uiText(series.titleId), QString());
    for (int k = 0; k <= 4; ++k) {
        const double value = c.low + (c.high - c.low) * k / 4;
        drawYTick(p, c, value, QString::number(value, 'f', std::abs(c.high - c.low) < 10 ? 2 : 0));
    }
    // Ticks less than a day apart would all show one date, so they show the time of day as well.
    const QString tickFormat = last - first < 4 * 86400 ? "yyyy-MM-dd\nHH:mm" : "yyyy-MM-dd";
    for (int k = 0; k <= 4; ++k) {
        const double t = first + (last - first) * k / 4;
        drawXTick(p, c, t, QDateTime::fromSecsSinceEpoch(static_cast<qint64>(t)).toString(tickFormat));
    }
    if (!history.records.empty()) {
        for (const double limit : series.limits(history.records.back())) {
            p.setPen(QPen(LimitColour, 1.5, Qt::DashLine));
            p.drawLine(QPointF(c.frame.left(), c.y(limit)), QPointF(c.frame.right(), c.y(limit)));
        }
    }
    QPolygonF line;
    for (std::size_t i = 0; i < history.records.size(); ++i) {
        line << QPointF(c.x(times[i]), c.y(series.value(history.records[i])));
    }
    p.setPen(QPen(MeasuredColour, 1));
    p.drawPolyline(line);
    // Dots are what a trend is read from; beyond a few hundred they only hide the line.
    if (line.size() <= 500) {
        for (std::size_t i = 0; i < history.records.size(); ++i) {
            drawDot(p, line[static_cast<qsizetype>(i)], history.records[i].passed ? PassColour : MeasuredColour);
        }
    }
    drawLegend(p, QPointF(c.frame.right() - 100, c.frame.top() - 12), LimitColour, uiText(HistoryLimit));
}

QList<double> positive(std::initializer_list<double> values) {
    QList<double> kept;
    for (const double v : values) {
        if (v > 0) kept.append(v);
    }
    return kept;
}

}  // namespace

void drawHistoryPlot(QPainter& p, const MonitorHistory& history) {
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRect(QPoint(0, 0), HistoryPlotSize), Qt::white);
    p.setFont(reportFont(13));
    std::vector<double> times;
    for (const HistoryRecord& r : history.records) times.push_back(static_cast<double>(*isoTimeSeconds(r.date)));
    const Series series[] = {
        {HistoryMaxLuminanceTitle, [](const HistoryRecord& r) { return r.maxLuminance; },
         [](const HistoryRecord& r) { return positive({r.minMaxLuminance}); }},
        {HistoryRatioTitle, [](const HistoryRecord& r) { return r.luminanceRatio; },
         [](const HistoryRecord& r) { return positive({r.minLuminanceRatio}); }},
        {HistoryDeviationTitle, [](const HistoryRecord& r) { return r.largestDeviationPercent; },
         [](const HistoryRecord& r) {
             return QList<double>{r.tolerancePercent, -r.tolerancePercent};
         }},
    };
    for (int k = 0; k < 3; ++k) drawSeries(p, QRectF(90, 50 + 290 * k, Width - 130, 210), series[k], history, times);
}

QString historyLineText(const HistoryRecord& r) {
    const auto utf8 = [](const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); };
    return uiText(HistoryLineFormat)
        .arg(utf8(r.date), utf8(r.criteria), uiText(r.passed ? VerdictPass : VerdictFail),
             QString::number(r.maxLuminance, 'f', 1), QString::number(r.luminanceRatio, 'f', 1),
             QString::asprintf("%+.1f", r.largestDeviationPercent), utf8(r.measurementFile));
}

}  // namespace grayden
