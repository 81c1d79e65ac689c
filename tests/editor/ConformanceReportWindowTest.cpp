// Control > Conformance Report: the window's checks and verdict for a passing and a failing
// display, the verdict added to the monitor's history, and the PDF graydenctl would file.
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>

#include "engine/GsdfCurve.h"
#include "engine/HistoryRecord.h"
#include "engine/ToneFile.h"
#include "tests/editor/EditorFixture.h"
#include "tests/support/RunProgram.h"
#include "tests/support/SyntheticPanel.h"
#include "tests/support/TempDir.h"

namespace grayden::test {
namespace {

// The displays of graydenctl's report tests: a gamma 2.2 panel of 0.5 to 350 cd/m², measured
// before (failing) and after (passing) its DICOM curve was installed.
class ConformanceReports : public EditorFixture {
protected:
    ConformanceReports() {
        qputenv("XDG_DATA_HOME", folder.filePath("data").toUtf8());
        ToneTable curve{};
        const MeasurementList before = testing::measure(panel, identityTable(), testing::eighteenLevels());
        makeGsdfMeasuredCurve({0.5, 350, 0}, before, identityTable(), curve);
        testing::writeText(file("gsdf.csv"), formatToneText(curve));
        testing::writeText(file("after.csv"),
                           testing::measurementText(testing::measure(panel, curve, testing::eighteenLevels())));
        testing::writeText(file("before.csv"), testing::measurementText(before));
    }
    ~ConformanceReports() override { qunsetenv("XDG_DATA_HOME"); }

    std::string file(const char* name) const { return folder.filePath(name).toStdString(); }
    // Opens the report of the measurements as the measurement window would, acting in its window.
    void showReport(const char* measured, const std::function<void(ConformanceReportWindow&)>& act) {
        user.dialogAnswer = [&](QDialog& d) {
            act(dynamic_cast<ConformanceReportWindow&>(d));
            return QDialog::Rejected;
        };
        dialog->showConformanceReport(QString::fromStdString(file(measured)), QString::fromStdString(file("gsdf.csv")));
    }

    const testing::PanelLight panel = testing::gammaPanel(0.5, 350, 2.2);
};

TEST_F(ConformanceReports, ShowEachCheckAddTheVerdictToTheHistoryAndFileGraydenctlsPdf) {
    start();
    ASSERT_TRUE(started);
    struct Case {
        const char* measured;
        QString verdict;
        QStringList values;  // contrast response, Lmax, ratio
        QStringList verdicts;
        bool passed;
    };
    const Case cases[] = {
        {"after.csv", "Overall verdict: pass", {"+0.5 %", "350.00 cd/m²", "700.0"}, {"pass", "pass", "pass"}, true},
        {"before.csv", "Overall verdict: fail", {"+52.9 %", "350.00 cd/m²", "700.0"}, {"fail", "pass", "pass"}, false},
    };
    const QStringList limits = {"within ±10 %", "at least 170 cd/m²", "at least 250"};
    const std::string history = file("data/grayden/history/QT440-1268-0440.jsonl");
    const QString pdf = folder.filePath("editor.pdf");
    int lines = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.measured);
        showReport(c.measured, [&](ConformanceReportWindow& w) {
            EXPECT_EQ(w.verdictLabel().text(), c.verdict);
            ASSERT_EQ(w.checksTable().rowCount(), 3);
            for (int row = 0; row < 3; ++row) {
                EXPECT_EQ(w.checksTable().item(row, 1)->text(), c.values[row]);
                EXPECT_EQ(w.checksTable().item(row, 2)->text(), limits[row]);
                EXPECT_EQ(w.checksTable().item(row, 3)->text(), c.verdicts[row]);
            }
            EXPECT_EQ(w.history().records.size(), static_cast<std::size_t>(lines + 1));
            if (c.passed) return;
            user.savePath = pdf;
            w.savePdfButton().click();
        });
        const std::string text = testing::readText(history);
        ASSERT_EQ(std::count(text.begin(), text.end(), '\n'), ++lines);
        HistoryRecord record;
        ASSERT_TRUE(parseHistoryLine(text.substr(text.rfind('\n', text.size() - 2) + 1), record));
        EXPECT_EQ(record.passed, c.passed);
        EXPECT_EQ(record.criteria, "tg18-primary");
        EXPECT_EQ(record.monitorModel, "QT440");
        EXPECT_EQ(record.measurementFile, file(c.measured));
    }
    EXPECT_TRUE(user.messages.empty());

    // The failing report's PDF, saved from the window, reads as graydenctl's for the same inputs.
    EXPECT_EQ(user.saveCalls, 1);
    const std::string ctlPdf = file("graydenctl.pdf");
    testing::runProgram(
        GRAYDENCTL_PATH,
        {"report", "--measured", file("before.csv"), "--table", file("gsdf.csv"), "--criteria", "tg18-primary", "--pdf",
         ctlPdf},
        {"GRAYDEN_SIMULATOR=" + file("monitor.state"), "QT_QPA_PLATFORM=offscreen", "LC_ALL=C", "LANGUAGE="});
    // The moment and the program that made each are theirs; the rest is the same document.
    const auto text = [](const std::string& path) {
        return QString::fromStdString(testing::runProgram("/usr/bin/pdftotext", {path, "-"}).out)
            .replace(QRegularExpression("\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d[+-]\\d\\d:\\d\\d"), "DATE")
            .replace("graydenctl " GRAYDEN_VERSION, "grayden " GRAYDEN_VERSION);
    };
    const QString editorText = text(pdf.toStdString());
    EXPECT_TRUE(editorText.contains("Overall verdict: fail")) << editorText.toStdString();
    EXPECT_EQ(editorText, text(ctlPdf));
}

}  // namespace
}  // namespace grayden::test
