#include "editor/report/ConformanceReportWindow.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>

#include <cerrno>
#include <cstring>

#include "editor/app/UserInteraction.h"
#include "editor/dialogs/GsdfCurveDialog.h"
#include "editor/report/ReportChart.h"
#include "engine/HistoryRecord.h"
#include "engine/ToneFile.h"
#include "platform/FileRead.h"
#include "platform/FileSave.h"
#include "render/ChartDrawing.h"
#include "render/ConformancePlot.h"
#include "render/HistoryPlot.h"
#include "render/ReportPdf.h"
#include "render/UiText.h"
#include "resources/StringIds.h"

namespace grayden {

namespace {

// The program as the report's header and the PDF's properties name it.
constexpr const char* ProgramVersion = "grayden " GRAYDEN_VERSION;

std::string localPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString withPath(int messageId, const std::string& path) {
    return uiText(messageId) + '\n' + QFile::decodeName(QByteArray::fromStdString(path));
}

void fillTable(QTableWidget& widget, const ReportTable& table) {
    widget.clear();
    widget.setColumnCount(static_cast<int>(table.headings.size()));
    widget.setHorizontalHeaderLabels(table.headings);
    widget.setRowCount(static_cast<int>(table.rows.size()));
    for (int row = 0; row < table.rows.size(); ++row) {
        for (int column = 0; column < table.rows[row].size(); ++column) {
            widget.setItem(row, column, new QTableWidgetItem(table.rows[row][column]));
        }
    }
    widget.resizeColumnsToContents();
}

}  // namespace

ConformanceReportWindow::ConformanceReportWindow(const ConformanceReportInput& input,
                                                 std::optional<FoundMonitor> monitor, UserInteraction& user,
                                                 QWidget* parent)
    : QDialog(parent), user_(user), monitor_(std::move(monitor)) {
    setWindowTitle(uiText(ReportWindowTitle));
    createControls(input);
    resize(1100, 760);
}

void ConformanceReportWindow::createControls(const ConformanceReportInput& input) {
    auto* layout = new QVBoxLayout(this);
    auto* files = new QGridLayout;
    layout->addLayout(files);
    measurementEdit_ = new QLineEdit(input.measurementPath, this);
    tableEdit_ = new QLineEdit(input.tablePath, this);
    int row = 0;
    for (const auto& [labelId, field] :
         {std::pair{ReportWindowMeasurement, measurementEdit_}, std::pair{ReportWindowMeasuredWith, tableEdit_}}) {
        QLineEdit* edit = field;
        auto* browse = new QPushButton(uiText(ReportWindowBrowse), this);
        browse->setAutoDefault(false);
        connect(browse, &QPushButton::clicked, this, [this, edit] { this->browse(edit); });
        files->addWidget(new QLabel(uiText(labelId), this), row, 0);
        files->addWidget(edit, row, 1);
        files->addWidget(browse, row++, 2);
    }
    criteriaList_ = new QComboBox(this);
    for (const ConformanceCriteria& criteria : NamedCriteria) criteriaList_->addItem(criteriaDisplayName(criteria));
    const int count = static_cast<int>(std::size(NamedCriteria));
    criteriaList_->setCurrentIndex(input.criteriaIndex >= 0 && input.criteriaIndex < count ? input.criteriaIndex : 0);
    auto* check = new QPushButton(uiText(ReportWindowCheck), this);
    check->setDefault(true);
    connect(check, &QPushButton::clicked, this, [this] { makeReport(); });
    files->addWidget(new QLabel(uiText(ReportWindowCriteria), this), row, 0);
    files->addWidget(criteriaList_, row, 1);
    files->addWidget(check, row, 2);

    verdictLabel_ = new QLabel(uiText(ReportWindowPrompt), this);
    verdictLabel_->setFont(reportFont(18, QFont::Bold));
    layout->addWidget(verdictLabel_);
    checksTable_ = new QTableWidget(this);
    checksTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    checksTable_->verticalHeader()->hide();
    checksTable_->horizontalHeader()->setStretchLastSection(true);
    checksTable_->setMaximumHeight(130);
    layout->addWidget(checksTable_);

    auto* charts = new QHBoxLayout;
    layout->addLayout(charts, 1);
    plot_ = new ReportChart(this);
    charts->addWidget(plot_, 1);
    auto* trendColumn = new QVBoxLayout;
    charts->addLayout(trendColumn, 1);
    trendColumn->addWidget(new QLabel(uiText(ReportWindowTrend), this));
    trend_ = new ReportChart(this);
    trendColumn->addWidget(trend_, 1);

    auto* buttons = new QHBoxLayout;
    layout->addLayout(buttons);
    buttons->addStretch(1);
    savePdfButton_ = new QPushButton(uiText(ReportWindowSavePdf), this);
    savePdfButton_->setAutoDefault(false);
    savePdfButton_->setEnabled(false);
    connect(savePdfButton_, &QPushButton::clicked, this, &ConformanceReportWindow::choosePdf);
    auto* close = new QPushButton(uiText(ReportWindowClose), this);
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(savePdfButton_);
    buttons->addWidget(close);
}

ConformanceReportInput ConformanceReportWindow::input() const {
    return {measurementEdit_->text(), tableEdit_->text(), criteriaList_->currentIndex()};
}

void ConformanceReportWindow::browse(QLineEdit* edit) {
    const QString path = user_.chooseOpenPath(this);
    if (!path.isEmpty()) edit->setText(path);
}

bool ConformanceReportWindow::makeReport() {
    const std::string measuredPath = localPath(measurementEdit_->text());
    const std::string tablePath = localPath(tableEdit_->text());
    MeasurementList measurements;
    if (const GsdfProblem problem = readMeasurementFile(measuredPath, measurements); !problem.ok()) {
        user_.showMessageText(this, gsdfProblemText(problem, measurementEdit_->text()));
        return false;
    }
    std::string measurementBytes;
    if (readRegularFile(measuredPath, MaxMeasurementFileBytes, measurementBytes) != FileReadError::None) {
        user_.showMessageText(this, withPath(MsgMeasurementsUnreadable, measuredPath));
        return false;
    }
    ToneTable table{};
    if (readToneFile(tablePath, table) != ToneFileError::None) {
        user_.showMessageText(this, withPath(MsgMeasuredWithUnreadable, tablePath));
        return false;
    }
    // The ambient is the one the measurement file records; without one it counts as not measured.
    const ReportSource source{ProgramVersion, measuredPath, tablePath, recordedAmbient(measurementBytes)};
    const ReportFacts facts = makeReportFacts(source, measurementBytes, monitor_ ? &*monitor_ : nullptr);
    ConformanceDocument document;
    if (const GsdfProblem problem =
            makeConformanceDocument(measurements, table, NamedCriteria[criteriaList_->currentIndex()], facts, document);
        !problem.ok()) {
        user_.showMessageText(this, gsdfProblemText(problem, measurementEdit_->text()));
        return false;
    }
    document_ = std::move(document);
    sections_ = reportSections(*document_);
    appendToHistory();
    showReport();
    return true;
}

void ConformanceReportWindow::appendToHistory() {
    history_ = {};
    if (!monitor_) {
        user_.showMessage(this, MsgHistoryNoMonitor);
        return;
    }
    const std::string path = historyFilePath(monitor_->identity);
    if (path.empty()) {
        user_.showMessage(this, MsgHistoryNoFolder);
        return;
    }
    if (!appendHistoryRecord(path, historyRecordOf(*document_))) {
        user_.showMessageText(this, withPath(MsgHistoryCannotAppend, path));
    }
    // The trend is drawn from what the file holds; lines that are no report are left out of it.
    if (readHistoryFile(path, history_) != FileReadError::None) history_ = {};
}

void ConformanceReportWindow::showReport() {
    verdictLabel_->setText(sections_.verdictLabel + ": " + sections_.verdict);
    QPalette palette = verdictLabel_->palette();
    palette.setColor(QPalette::WindowText, sections_.passed ? PassColour : MeasuredColour);
    verdictLabel_->setPalette(palette);
    fillTable(*checksTable_, sections_.checks);
    plot_->setDrawing([this](QPainter& p) { drawConformancePlot(p, document_->report, document_->measurements); },
                      ConformancePlotSize);
    trend_->setDrawing([this](QPainter& p) { drawHistoryPlot(p, history_); }, HistoryPlotSize);
    savePdfButton_->setEnabled(true);
}

void ConformanceReportWindow::choosePdf() {
    const QFileInfo measured(measurementEdit_->text());
    const QString path = user_.choosePdfSavePath(this, measured.dir().filePath(measured.completeBaseName() + ".pdf"));
    if (!path.isEmpty()) savePdf(path);
}

bool ConformanceReportWindow::savePdf(const QString& path) {
    if (!document_) return false;
    const QByteArray pdf = conformancePdf(*document_, sections_, ProgramVersion);
    errno = 0;
    if (!pdf.isEmpty() &&
        saveFile(localPath(path), std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())))) {
        return true;
    }
    QString text = uiText(MsgPdfCannotSave) + '\n' + path;
    if (errno != 0) text += '\n' + QString::fromLocal8Bit(std::strerror(errno));
    user_.showMessageText(this, text);
    return false;
}

}  // namespace grayden
