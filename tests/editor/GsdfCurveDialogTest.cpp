// DICOM GSDF Curve: the dialog's checks on OK, its texts in both languages, and the command that
// installs its curve in the main window.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <cmath>

#include "device/simulated/SimulatedMonitorReports.h"
#include "editor/dialogs/GsdfCurveDialog.h"
#include "editor/dialogs/ScaledEdit.h"
#include "engine/GammaCurves.h"
#include "engine/ToneFile.h"
#include "render/UiText.h"
#include "resources/StringIds.h"
#include "tests/editor/EditorFixture.h"
#include "tests/support/RestoreSetting.h"

namespace grayden::test {
namespace {

using grayden::testing::restoreSetting;

// A gamma 2.2 panel from 0.5 to 400 cd/m², measured at 18 levels.
std::string panelMeasurements() {
    std::string text = "level,luminance\n";
    for (int level = 0; level < LevelCount; level += 15)
        text += std::to_string(level) + "," + std::to_string(0.5 + 399.5 * std::pow(level / 255.0, 2.2)) + "\n";
    return text;
}

class GsdfCurveDialogs : public EditorFixture {
protected:
    ~GsdfCurveDialogs() override { setUiLanguage(Language::English); }

    QString writeFile(const char* name, const std::string& text) {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.data(), static_cast<qint64>(text.size()));
        return path;
    }

    static void enter(GsdfCurveDialog& d, const char* min, const char* max, const char* ambient) {
        d.minEdit().setText(min);
        d.maxEdit().setText(max);
        d.ambientEdit().setText(ambient);
    }

    const ToneTable currentTable = makeDefaultCurve(1.5);
};

struct RefusalCase {
    const char* min;
    const char* max;
    const char* ambient;
    const char* measurements;  // a file in the test folder, or empty for none
    const char* measuredWith;
    const char* message;
    int focusId;
};

TEST_F(GsdfCurveDialogs, ValuesAndFilesThatGiveNoCurveKeepTheDialogOpenWithTheFocusAtTheFault) {
    writeFile("good.csv", panelMeasurements());
    writeFile("syntax.csv", "# meter X\n0,0.5\n16 1.2\n");
    writeFile("order.csv", "0,0.5\n32,2\n64,9\n48,5\n");
    writeFile("few.csv", "0,0.5\n128,90\n255,400\n");
    writeFile("falling.csv", "0,1\n15,2\n30,3\n45,2.5\n60,4\n75,5\n90,6\n105,7\n");
    constexpr const char* Range = "Input luminances between 0.05 and 4000 cd/m² (ambient light included).";
    constexpr const char* NotANumber = "Input the luminance as a number in cd/m².";
    constexpr const char* Order = "The maximum luminance must be greater than the minimum luminance.";
    using D = GsdfCurveDialog;
    const RefusalCase cases[] = {
        {"0.04", "400", "0", "", "", Range, D::MinEditId},
        {"abc", "400", "0", "", "", NotANumber, D::MinEditId},
        {"", "400", "0", "", "", NotANumber, D::MinEditId},
        {"0.5", " ", "0", "", "", NotANumber, D::MaxEditId},
        {"0.5", "400x", "0", "", "", NotANumber, D::MaxEditId},
        {"0.5", "400", "1,5", "", "", NotANumber, D::AmbientEditId},
        {"0.5", "4000.01", "0", "", "", Range, D::MaxEditId},
        {"0.5", "400", "3700", "", "", Range, D::MaxEditId},
        {"400", "0.5", "0", "", "", Order, D::MaxEditId},
        {"200", "200", "0", "", "", Order, D::MaxEditId},
        {"0.5", "400", "-0.01", "", "", "The ambient luminance must be 0 or more.", D::AmbientEditId},
        {"0.5", "400", "0", "syntax.csv", "", "Line 3 of the measurement file is not a pair of level and luminance.",
         D::MeasurementEditId},
        {"0.5", "400", "0", "order.csv", "",
         "Line 4 of the measurement file: the level must be greater than the one before.", D::MeasurementEditId},
        {"0.5", "400", "0", "few.csv", "", "The measurement file must hold at least 8 levels.", D::MeasurementEditId},
        {"0.5", "400", "0", "falling.csv", "",
         "Line 4 of the measurement file: the luminance is lower than at a lower drive value.", D::MeasurementEditId},
        {"0.5", "400", "0", "missing.csv", "", "", D::MeasurementEditId},
        {"0.5", "400", "0", ".", "", "", D::MeasurementEditId},
        {"500", "600", "0", "good.csv", "", "No level of the target lies within the measured luminances.",
         D::MinEditId},
        {"0.5", "400", "0", "good.csv", "missing.csv", "Cannot read the tone file the measurements were taken with.",
         D::MeasuredWithEditId},
    };
    for (const RefusalCase& c : cases) {
        GsdfCurveDialog d({}, 2.2, currentTable, user, nullptr);
        d.show();
        enter(d, c.min, c.max, c.ambient);
        if (*c.measurements) d.measurementEdit().setText(folder.filePath(c.measurements));
        if (*c.measuredWith) d.measuredWithEdit().setText(folder.filePath(c.measuredWith));
        user.messageTexts.clear();
        QTest::keyClick(&d.minEdit(), Qt::Key_Return);
        SCOPED_TRACE(::testing::Message() << c.min << " " << c.max << " " << c.ambient << " " << c.measurements);
        EXPECT_TRUE(d.isVisible());
        // A file that cannot be read is named below the message, with the reason.
        const QString unreadable =
            "Cannot read the measurement file.\n" + d.measurementEdit().text() + '\n' +
            (*c.measurements == '.' ? "It is not a regular file (a folder, named pipe or device)."
                                    : "No such file or directory");
        EXPECT_EQ(user.messageTexts, std::vector{*c.message ? QString::fromUtf8(c.message) : unreadable});
        EXPECT_EQ(d.focusWidget(), d.control(c.focusId));
    }
}

TEST_F(GsdfCurveDialogs, MeasurementsCountAsTakenWithTheCurrentCurveUnlessATableFileIsGiven) {
    const QString measurementPath = writeFile("good.csv", panelMeasurements());
    ToneTable fileTable = identityTable();
    const QString tablePath = writeFile("identity.csv", formatToneText(fileTable));
    MeasurementList measurements;
    ASSERT_TRUE(parseMeasurements(panelMeasurements(), measurements).ok());
    const GsdfTarget target{.minLuminance = 0.5, .maxLuminance = 400, .ambient = 0.25};
    for (const auto& [measuredWith, used] : {std::pair{QString(), currentTable}, {tablePath, fileTable}}) {
        GsdfCurveDialog d({}, 2.2, currentTable, user, nullptr);
        d.show();
        enter(d, "0.5", "400", "0.25");
        d.measurementEdit().setText(measurementPath);
        d.measuredWithEdit().setText(measuredWith);
        QTest::keyClick(&d.minEdit(), Qt::Key_Return);
        ASSERT_EQ(d.result(), QDialog::Accepted) << measuredWith.toStdString();
        ToneTable expected{};
        ASSERT_TRUE(makeGsdfMeasuredCurve(target, measurements, used, expected).ok());
        EXPECT_EQ(d.table(), expected) << measuredWith.toStdString();
        EXPECT_EQ(d.input().measuredWithPath, measuredWith);
    }
    EXPECT_TRUE(user.messageTexts.empty());
}

// The measurements were taken with the curve shown when their file was chosen, so a second OK
// installs the same curve, at every level unless fewer points are chosen.
TEST_F(GsdfCurveDialogs, SameInputsInstallTheSameCurveAndClippedLevelsAreNamed) {
    start();
    ASSERT_TRUE(started);
    CurveModel& model = dialog->model();
    ASSERT_EQ(model.pointCountIndex(), DefaultPointCountIndex);
    const ToneTable measuredWith = model.currentTable();
    const QString path = writeFile("good.csv", panelMeasurements());
    MeasurementList measurements;
    ASSERT_TRUE(parseMeasurements(panelMeasurements(), measurements).ok());
    ToneTable expected{};
    GsdfClipping clipping;
    ASSERT_TRUE(makeGsdfMeasuredCurve({0.5, 500, 0}, measurements, measuredWith, expected, &clipping).ok());
    ASSERT_GT(clipping.brightLevels, 0);

    int selected = -1, chosen = -1;
    user.dialogAnswer = [&](QDialog& run) {
        auto& d = dynamic_cast<GsdfCurveDialog&>(run);
        selected = d.pointCountList().currentIndex();
        if (chosen >= 0) d.pointCountList().setCurrentIndex(chosen);
        enter(d, "0.5", "500", "0");
        if (d.measurementEdit().text().isEmpty()) d.measurementEdit().setText(path);
        d.accept();
        return d.result();
    };
    for (int round = 0; round < 2; ++round) {
        user.messageTexts.clear();
        dialog->onCommand(Command::GsdfCurve);
        EXPECT_EQ(selected, AllLevelsPointCountIndex) << round;
        EXPECT_EQ(model.pointCountIndex(), AllLevelsPointCountIndex) << round;
        EXPECT_EQ(model.currentTable(), expected) << round;
        EXPECT_EQ(user.messageTexts,
                  std::vector{uiText(MsgGsdfLevelsClipped).arg(clipping.darkLevels).arg(clipping.brightLevels)});
    }
    chosen = DefaultPointCountIndex;
    dialog->onCommand(Command::GsdfCurve);
    EXPECT_EQ(model.pointCountIndex(), DefaultPointCountIndex);
    EXPECT_NE(model.currentTable(), expected) << "sampled at 9 points";
}

TEST_F(GsdfCurveDialogs, OpenInBothLanguagesWithTextsThatFitAndSayWhereTheCurveComesFrom) {
    for (const Language language : {Language::English, Language::Japanese}) {
        setUiLanguage(language);
        GsdfCurveDialog d({}, 2.2, currentTable, user, nullptr);
        d.show();
        EXPECT_EQ(d.windowTitle(), language == Language::English ? "DICOM GSDF Curve" : "DICOM GSDF 曲線");
        EXPECT_EQ(d.minEdit().text(), "0.50");
        EXPECT_EQ(d.maxEdit().text(), "400.00");
        EXPECT_EQ(d.ambientEdit().text(), "0.00");
        QStringList sources;
        const auto noteSource = [&d, &sources] {
            for (const QLabel* label : d.findChildren<QLabel*>()) {
                EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->width())
                    << label->text().toStdString();
            }
            sources << d.sourceLabel().text();
        };
        noteSource();
        EXPECT_FALSE(d.measuredWithEdit().isEnabled()) << "a table file counts only with measurements";
        user.openPath = "/data/panel.csv";
        QTest::mouseClick(&d.measurementBrowse(), Qt::LeftButton);
        EXPECT_EQ(d.measurementEdit().text(), "/data/panel.csv");
        EXPECT_TRUE(d.measuredWithEdit().isEnabled());
        noteSource();
        d.measuredWithEdit().setText("/data/table.csv");
        noteSource();
        EXPECT_EQ(sources, QStringList({uiText(GsdfSourcePanelGamma).arg("2.20"), uiText(GsdfSourceCurrentCurve),
                                        uiText(GsdfSourceTableFile)}));
        QTest::keyClick(&d, Qt::Key_Escape);
        EXPECT_EQ(d.result(), QDialog::Rejected);
    }
}

TEST_F(GsdfCurveDialogs, OkInstallsTheCurveWithOneUndoRecordAndOnePreviewAndCancelChangesNothing) {
    start();
    ASSERT_TRUE(started);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    CurveModel& model = dialog->model();
    restoreSetting(model, &ModelSettings::pointCountIndex, AllLevelsPointCountIndex);
    QTest::mouseClick(&dialog->previewCheck(), Qt::LeftButton);
    platform.clearExchanges();
    const ToneTable before = model.currentTable();
    const std::size_t records = model.undoHistory().size();

    user.dialogAnswer = [](QDialog& run) {
        auto& d = dynamic_cast<GsdfCurveDialog&>(run);
        enter(d, "0.8", "350", "0.2");
        d.accept();
        return d.result();
    };
    dialog->onCommand(Command::GsdfCurve);
    ToneTable expected{};
    ASSERT_TRUE(
        makeGsdfModelCurve({.minLuminance = 0.8, .maxLuminance = 350, .ambient = 0.2}, model.panelGamma(), expected)
            .ok());
    EXPECT_EQ(model.currentTable(), expected);
    EXPECT_EQ(model.undoHistory().size(), records + 1);
    EXPECT_EQ(previewWrites(), 1);

    // The dialog opens with what was accepted; a Cancel after typing leaves everything as it was.
    QStringList shown;
    user.dialogAnswer = [&shown](QDialog& run) {
        auto& d = dynamic_cast<GsdfCurveDialog&>(run);
        shown << d.minEdit().text() << d.maxEdit().text() << d.ambientEdit().text();
        enter(d, "1", "500", "0");
        d.reject();
        return d.result();
    };
    dialog->onCommand(Command::GsdfCurve);
    EXPECT_EQ(shown, QStringList({"0.80", "350.00", "0.20"}));
    EXPECT_EQ(model.currentTable(), expected);
    EXPECT_EQ(model.undoHistory().size(), records + 1);
    EXPECT_EQ(platform.exchanges().size(), 0u);

    dialog->onCommand(Command::Undo);
    EXPECT_EQ(model.currentTable(), before);
}

}  // namespace
}  // namespace grayden::test
