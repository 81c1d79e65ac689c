#include "render/ReportText.h"

#include <algorithm>

namespace grayden {

namespace {

// Columns on a terminal: East Asian wide characters take two.
int displayWidth(const QString& text) {
    int width = 0;
    for (const char32_t c : text.toUcs4()) {
        const bool wide = (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
                          (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
                          (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6);
        width += wide ? 2 : 1;
    }
    return width;
}

QString padded(const QString& text, int width) {
    return text + QString(std::max(0, width - displayWidth(text)), QLatin1Char(' '));
}

QString tableText(const ReportTable& table) {
    QList<int> widths;
    for (const QString& heading : table.headings) widths.append(displayWidth(heading));
    for (const QStringList& row : table.rows) {
        for (qsizetype i = 0; i < row.size() && i < widths.size(); ++i) {
            widths[i] = std::max(widths[i], displayWidth(row[i]));
        }
    }
    const auto line = [&](const QStringList& cells) {
        QString text;
        for (qsizetype i = 0; i < cells.size(); ++i) {
            text += i + 1 < cells.size() ? padded(cells[i], widths[i] + 2) : cells[i];
        }
        return text + '\n';
    };
    QString text = line(table.headings);
    for (const QStringList& row : table.rows) text += line(row);
    return text;
}

}  // namespace

std::string reportSectionsText(const ReportSections& s) {
    QString text = s.title + "\n\n";
    int labelWidth = 0;
    for (const auto& [label, value] : s.facts) labelWidth = std::max(labelWidth, displayWidth(label));
    for (const auto& [label, value] : s.facts) text += padded(label + ':', labelWidth + 2) + value + '\n';
    text += s.criteriaSource + "\n\n";
    text += s.checksTitle + '\n' + tableText(s.checks);
    text += '\n' + s.verdictLabel + ": " + s.verdict + "\n\n";
    text += s.stepsTitle + '\n' + tableText(s.steps);
    return text.toStdString();
}

}  // namespace grayden
