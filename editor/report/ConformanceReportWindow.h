#pragma once

#include <QDialog>
#include <QString>

#include <optional>

#include "engine/ConformanceDocument.h"
#include "engine/MonitorHistory.h"
#include "render/ReportSections.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace grayden {

class ReportChart;
class UserInteraction;

// What the report window asks for; the editor keeps the last one for the next time.
struct ConformanceReportInput {
    QString measurementPath;
    QString tablePath;      // the tone file that was in the monitor while measuring
    int criteriaIndex = 0;  // into NamedCriteria: TG18 primary unless chosen otherwise
};

// Control > Conformance Report: the measurement file, the tone file it was measured with and the
// criteria set. Check makes the same document as graydenctl report --criteria, adds its verdict
// to the monitor's history and shows the verdict, the checks, the plot and the monitor's trend;
// Save PDF files the document.
class ConformanceReportWindow : public QDialog {
    Q_OBJECT
public:
    // monitor is the connected monitor whose history the reports join; none joins no history.
    ConformanceReportWindow(const ConformanceReportInput& input, std::optional<FoundMonitor> monitor,
                            UserInteraction& user, QWidget* parent);

    // Makes the report of the entered files and appends its verdict; false after telling the
    // user why there is none.
    bool makeReport();
    // Writes the shown report as PDF; false after telling the user why it could not be saved.
    bool savePdf(const QString& path);

    ConformanceReportInput input() const;
    // The report shown, or none before the first one.
    const std::optional<ConformanceDocument>& document() const { return document_; }
    const MonitorHistory& history() const { return history_; }
    QLineEdit& measurementEdit() { return *measurementEdit_; }
    QLineEdit& tableEdit() { return *tableEdit_; }
    QComboBox& criteriaList() { return *criteriaList_; }
    QLabel& verdictLabel() { return *verdictLabel_; }
    QTableWidget& checksTable() { return *checksTable_; }
    QPushButton& savePdfButton() { return *savePdfButton_; }

private:
    void createControls(const ConformanceReportInput& input);
    void browse(QLineEdit* edit);
    void choosePdf();
    void appendToHistory();
    void showReport();

    UserInteraction& user_;
    std::optional<FoundMonitor> monitor_;
    std::optional<ConformanceDocument> document_;
    ReportSections sections_;
    MonitorHistory history_;

    QLineEdit* measurementEdit_ = nullptr;
    QLineEdit* tableEdit_ = nullptr;
    QComboBox* criteriaList_ = nullptr;
    QLabel* verdictLabel_ = nullptr;
    QTableWidget* checksTable_ = nullptr;
    ReportChart* plot_ = nullptr;
    ReportChart* trend_ = nullptr;
    QPushButton* savePdfButton_ = nullptr;
};

}  // namespace grayden
