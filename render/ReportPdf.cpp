#include "render/ReportPdf.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <optional>

#include "render/ChartDrawing.h"
#include "render/ConformancePlot.h"
#include "render/UiText.h"
#include "resources/StringIds.h"

namespace grayden {

namespace {

// Page geometry in points (the writer runs at 72 dots per inch).
constexpr double PageWidth = 595.28;
constexpr double PageHeight = 841.89;
constexpr double Margin = 48;
constexpr double Bottom = PageHeight - Margin - 18;  // the footer lies below
constexpr double TextWidth = PageWidth - 2 * Margin;
constexpr double CellPadding = 8;

// Lays the document out page by page. Without a painter it only counts the pages, so the
// footers of the painted run can say how many there are.
class PageLayout {
public:
    PageLayout(QPdfWriter* writer, QPainter* painter, int pageCount)
        : writer_(writer), painter_(painter), pageCount_(pageCount) {}

    int pages() const { return page_; }

    void finish() { footer(); }

    // Starts a new page unless height still fits on this one.
    void ensure(double height) {
        if (y_ + height <= Bottom) return;
        footer();
        if (writer_) writer_->newPage();
        ++page_;
        y_ = Margin;
    }

    void text(const QString& line, const QFont& font, const QColor& colour = Qt::black) {
        const QFontMetricsF metrics(font);
        const QRectF box(Margin, 0, TextWidth, PageHeight);
        const double height = metrics.boundingRect(box, Qt::TextWordWrap, line).height();
        ensure(height);
        if (painter_) {
            painter_->setFont(font);
            painter_->setPen(colour);
            painter_->drawText(QRectF(Margin, y_, TextWidth, height), Qt::TextWordWrap, line);
        }
        y_ += height;
    }

    void space(double height) { y_ += height; }

    void facts(const QList<QPair<QString, QString>>& facts, const QFont& font) {
        const QFontMetricsF metrics(font);
        double labelWidth = 0;
        for (const auto& [label, value] : facts) labelWidth = std::max(labelWidth, metrics.horizontalAdvance(label));
        // Long labels wrap, so a digest keeps to one line.
        labelWidth = std::min(labelWidth + 2 * CellPadding, TextWidth * 0.35);
        for (const auto& [label, value] : facts) {
            const QRectF labelBox(Margin, 0, labelWidth - CellPadding, PageHeight);
            const QRectF valueBox(Margin + labelWidth, 0, TextWidth - labelWidth, PageHeight);
            const double height = std::max(metrics.boundingRect(labelBox, Qt::TextWordWrap, label).height(),
                                           metrics.boundingRect(valueBox, Qt::TextWrapAnywhere, value).height()) +
                                  2;
            ensure(height);
            if (painter_) {
                painter_->setFont(font);
                painter_->setPen(Qt::black);
                painter_->drawText(QRectF(Margin, y_, labelWidth - CellPadding, height), Qt::TextWordWrap, label);
                painter_->drawText(QRectF(Margin + labelWidth, y_, TextWidth - labelWidth, height),
                                   Qt::TextWrapAnywhere, value);
            }
            y_ += height;
        }
    }

    // Columns as wide as their widest cell, the room left shared out; headings wrap within
    // their column and are repeated on every page the table reaches.
    void table(const ReportTable& table, const QFont& font) {
        const QFontMetricsF metrics(font);
        QList<double> widths;
        for (const QString& heading : table.headings) {
            widths.append(std::min(metrics.horizontalAdvance(heading), TextWidth / table.headings.size()));
        }
        for (const QStringList& row : table.rows) {
            for (qsizetype i = 0; i < row.size() && i < widths.size(); ++i) {
                widths[i] = std::max(widths[i], metrics.horizontalAdvance(row[i]));
            }
        }
        double total = 0;
        for (double& w : widths) total += (w += CellPadding);
        const double share = std::max(0.0, TextWidth - total) / std::max<qsizetype>(1, widths.size());
        for (double& w : widths) w += share;

        double headingHeight = 0;
        for (qsizetype i = 0; i < widths.size(); ++i) {
            const QRectF box(0, 0, widths[i] - CellPadding, PageHeight);
            headingHeight =
                std::max(headingHeight, metrics.boundingRect(box, Qt::TextWordWrap, table.headings[i]).height());
        }
        const double rowHeight = metrics.height() + 3;
        QFont bold = font;
        bold.setWeight(QFont::Bold);
        const auto headings = [&] {
            ensure(headingHeight + 4 + rowHeight);
            row(table.headings, widths, headingHeight, bold);
            if (painter_) painter_->drawLine(QPointF(Margin, y_ + 1), QPointF(Margin + TextWidth, y_ + 1));
            y_ += 4;
        };
        headings();
        for (const QStringList& cells : table.rows) {
            if (y_ + rowHeight > Bottom) {
                ensure(PageHeight);
                headings();
            }
            row(cells, widths, rowHeight, font);
        }
    }

    void picture(double height, const std::function<void(QPainter&)>& draw) {
        ensure(height);
        if (painter_) {
            painter_->save();
            painter_->translate(Margin, y_);
            draw(*painter_);
            painter_->restore();
        }
        y_ += height;
    }

private:
    void row(const QStringList& cells, const QList<double>& widths, double height, const QFont& font) {
        if (painter_) {
            painter_->setFont(font);
            painter_->setPen(Qt::black);
            double x = Margin;
            for (qsizetype i = 0; i < cells.size() && i < widths.size(); ++i) {
                painter_->drawText(QRectF(x, y_, widths[i] - CellPadding, height), Qt::TextWordWrap, cells[i]);
                x += widths[i];
            }
        }
        y_ += height;
    }

    void footer() {
        if (!painter_) return;
        painter_->setFont(reportFont(8));
        painter_->setPen(Qt::black);
        painter_->drawText(QRectF(Margin, PageHeight - Margin, TextWidth, 14), Qt::AlignRight | Qt::AlignTop,
                           uiText(ReportPageFormat).arg(page_).arg(pageCount_));
    }

    QPdfWriter* writer_;
    QPainter* painter_;
    int pageCount_;
    int page_ = 1;
    double y_ = Margin;
};

void layOut(PageLayout& layout, const ConformanceDocument& d, const ReportSections& s) {
    const QFont body = reportFont(10);
    layout.text(s.title, reportFont(16, QFont::Bold));
    layout.space(10);
    layout.facts(s.facts, reportFont(9));
    layout.space(4);
    layout.text(s.criteriaSource, reportFont(8));
    layout.space(14);
    layout.text(s.checksTitle, reportFont(12, QFont::Bold));
    layout.space(4);
    layout.table(s.checks, body);
    layout.space(10);
    layout.text(s.verdictLabel + ": " + s.verdict, reportFont(14, QFont::Bold), s.passed ? PassColour : MeasuredColour);
    layout.space(18);
    layout.text(s.stepsTitle, reportFont(12, QFont::Bold));
    layout.space(4);
    layout.table(s.steps, reportFont(8));
    layout.space(18);
    const double scale = TextWidth / ConformancePlotSize.width();
    layout.picture(ConformancePlotSize.height() * scale, [&](QPainter& p) {
        p.scale(scale, scale);
        drawConformancePlot(p, d.report, d.measurements);
    });
    layout.finish();
}

}  // namespace

QByteArray conformancePdf(const ConformanceDocument& document, const ReportSections& sections, const QString& creator) {
    PageLayout counting(nullptr, nullptr, 0);
    layOut(counting, document, sections);

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(72);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    writer.setTitle(sections.title);
    writer.setCreator(creator);
    QPainter painter;
    if (!painter.begin(&writer)) return {};
    PageLayout painting(&writer, &painter, counting.pages());
    layOut(painting, document, sections);
    painter.end();
    return bytes;
}

}  // namespace grayden
