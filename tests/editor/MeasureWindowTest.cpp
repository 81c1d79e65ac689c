// The measurement window: its key sequences and the files they save, the patch's pixels, and
// the Control menu command that opens it and calibrates with what it saved.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <map>
#include <numeric>

#include "editor/dialogs/GsdfCurveDialog.h"
#include "editor/dialogs/ScaledEdit.h"
#include "editor/measure/MeasureWindow.h"
#include "engine/GammaCurves.h"
#include "engine/ToneFile.h"
#include "render/UiText.h"
#include "tests/editor/EditorFixture.h"
#include "tests/support/TempDir.h"

namespace grayden::test {
namespace {

TEST(MeasurementLevels, SpreadEvenlyFromBlackToWhite) {
    EXPECT_EQ(evenlySpacedLevels(18),
              (std::vector<int>{0, 15, 30, 45, 60, 75, 90, 105, 120, 135, 150, 165, 180, 195, 210, 225, 240, 255}));
    EXPECT_EQ(evenlySpacedLevels(9), (std::vector<int>{0, 32, 64, 96, 128, 159, 191, 223, 255}));
    const std::vector<int> levels33 = evenlySpacedLevels(33);
    EXPECT_EQ(std::vector<int>(levels33.begin(), levels33.begin() + 6), (std::vector<int>{0, 8, 16, 24, 32, 40}));
    EXPECT_EQ(levels33.size(), 33u);
    std::vector<int> all(LevelCount);
    std::iota(all.begin(), all.end(), 0);
    EXPECT_EQ(evenlySpacedLevels(256), all);
}

// Types into the reading field: words are typed, <Enter>, <Back> and <Esc> are keys.
void press(QLineEdit& field, const QString& keys) {
    const std::map<QString, Qt::Key> named{
        {"<Enter>", Qt::Key_Return}, {"<Back>", Qt::Key_Backspace}, {"<Esc>", Qt::Key_Escape}};
    for (const QString& token : keys.split(' ', Qt::SkipEmptyParts)) {
        const auto key = named.find(token);
        key == named.end() ? QTest::keyClicks(&field, token) : QTest::keyClick(&field, key->second);
    }
}

constexpr const char* NineReadings =
    "0.5 <Enter> 2 <Enter> 8 <Enter> 20 <Enter> 45 <Enter> 80 <Enter> 130 <Enter> "
    "200 <Enter> 300 <Enter>";

struct KeyCase {
    const char* name;
    bool withAmbient;
    QString keys;
    bool saveChosen;  // the save chooser gives a path, else it is cancelled
    bool confirmed;   // the answer to the question before discarding
    int step;         // where the run stands after the keys
    const char* field;
    int problem;  // the refusal shown, 0 for none
    int questions;
    bool open;
    const char* ambientLine;  // in the saved file; nullptr when nothing is saved
};

TEST(MeasureWindowKeys, TakeGoBackRefuseEndAndSave) {
    const KeyCase cases[] = {
        {"nine levels saved", false, NineReadings, true, false, 8, "300", 0, 0, true, "# ambient not measured"},
        {"ambient after the last level", true, QString(NineReadings) + " 0.25 <Enter>", true, false, 9, "0.25", 0, 0,
         true, "# ambient 0.25 cd/m2"},
        {"a dark room reads 0", true, QString(NineReadings) + " 0 <Enter>", true, false, 9, "0", 0, 0, true,
         "# ambient 0 cd/m2"},
        {"negative ambient refused", true, QString(NineReadings) + " -0.1 <Enter>", true, false, 9, "-0.1",
         MsgAmbientReadingNegative, 0, true, nullptr},
        {"text refused", false, "12cd <Enter>", true, false, 0, "12cd", MsgReadingNotANumber, 0, true, nullptr},
        {"infinity refused", false, "inf <Enter>", true, false, 0, "inf", MsgReadingNotANumber, 0, true, nullptr},
        {"negative refused", false, "-3 <Enter>", true, false, 0, "-3", MsgReadingNotPositive, 0, true, nullptr},
        {"zero at a level refused", false, "0 <Enter>", true, false, 0, "0", MsgReadingNotPositive, 0, true, nullptr},
        {"Backspace on empty goes back to the reading", false, "1 <Enter> 2 <Enter> <Back>", true, false, 1, "2", 0, 0,
         true, nullptr},
        {"and further back once emptied", false, "1 <Enter> 2 <Enter> <Back> <Back> <Back>", true, false, 0, "1", 0, 0,
         true, nullptr},
        {"Escape before any reading closes", false, "<Esc>", true, false, 0, "", 0, 0, false, nullptr},
        {"Escape asks and No keeps the readings", false, "1 <Enter> <Esc>", true, false, 1, "", 0, 1, true, nullptr},
        {"Escape asks and Yes discards", false, "1 <Enter> <Esc>", true, true, 1, "", 0, 1, false, nullptr},
        {"cancelled save stays on the last level", false, NineReadings, false, false, 8, "300", 0, 0, true, nullptr},
    };
    const ToneTable inEffect = makeDefaultCurve(1.8);
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir folder;
        RecordingInteraction user;
        user.confirmAnswer = c.confirmed;
        const QString path = folder.filePath("run.csv");
        if (c.saveChosen) user.savePath = path;
        MeasureWindow window(inEffect, user, nullptr);
        window.levelCountList().setCurrentIndex(3);  // 9 levels
        window.ambientCheck().setChecked(c.withAmbient);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        press(window.readingField(), c.keys);

        EXPECT_EQ(window.run().step(), c.step);
        EXPECT_EQ(window.readingField().text(), c.field);
        EXPECT_EQ(window.problemText(), c.problem ? uiText(c.problem) : QString());
        EXPECT_EQ(user.questions.size(), static_cast<std::size_t>(c.questions));
        EXPECT_EQ(window.isVisible(), c.open);
        EXPECT_EQ(QFile::exists(path), c.ambientLine != nullptr);
        if (!c.ambientLine) continue;
        const std::string text = testing::readText(path.toStdString());
        EXPECT_NE(text.find(std::string(c.ambientLine) + "\n"), std::string::npos) << text;
        MeasurementList saved;
        ASSERT_TRUE(parseMeasurements(text, saved).ok());
        ASSERT_EQ(saved.size(), 9u);
        EXPECT_EQ(saved[5].level, 159);
        EXPECT_EQ(saved[5].luminance, 80);
        EXPECT_EQ(testing::readText(folder.filePath("run.table.csv").toStdString()), formatToneText(inEffect));
        // Nothing handles checking here, so only calibrating is offered.
        EXPECT_FALSE(window.checkButton().isEnabled());
    }
}

// Also run at a pixel ratio of 1.5: the patch must come out unblended there too.
TEST(MeasureWindowPixels, PatchCarriesTheLevelsGreyOnAUniformBackground) {
    RecordingInteraction user;
    MeasureWindow window(ToneTable{}, user, nullptr);
    window.showFullScreen();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    for (int step = 0; step < 18; ++step) {
        const int level = step * 15;
        EXPECT_TRUE(step != 8 || window.stepText() == QString::fromUtf8("Level 120 — 9 of 18"))
            << window.stepText().toStdString();
        const QImage shown = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRect patch = window.patchRect();
        ASSERT_EQ(shown.size(), window.backBuffer().size());
        // A tenth of the screen, give or take the rounding to whole pixels.
        EXPECT_NEAR(double(patch.width()) * patch.height() / (shown.width() * shown.height()), 0.1, 0.002);
        EXPECT_EQ(patch.center(), shown.rect().center());
        for (const QPoint p : {patch.center(), patch.topLeft(), patch.bottomRight(), patch.topRight()}) {
            EXPECT_EQ(shown.pixel(p), qRgb(level, level, level)) << level << " " << p.x() << "," << p.y();
        }
        const int background = MeasureWindow::BackgroundLevel;
        for (const QPoint p : {patch.topLeft() - QPoint(1, 1), QPoint(0, 0), patch.bottomRight() + QPoint(1, 1)}) {
            EXPECT_EQ(shown.pixel(p), qRgb(background, background, background)) << level;
        }
        press(window.readingField(), "10 <Enter>");
    }
}

class MeasureCommand : public EditorFixture {};

// With Preview off the file beside the readings holds the monitor's stored table, not the curve
// being edited; Calibrate opens the calibration dialog on both files and on the luminances read,
// rounded inward to hundredths; Enter presses Calibrate.
TEST_F(MeasureCommand, SavesTheStoredTableAndCalibratesWithBothFiles) {
    start();
    ASSERT_TRUE(started);
    dialog->model().applyDefaultCurve(3.0);
    ASSERT_FALSE(dialog->model().previewOn());
    const ToneTable edited = dialog->model().currentTable();
    user.savePath = folder.filePath("m.csv");
    dialog->onCommand(Command::MeasureLuminance);
    auto* window = dialog->findChild<MeasureWindow*>();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isFullScreen());
    EXPECT_EQ(window->screen(), dialog->screen());
    window->levelCountList().setCurrentIndex(3);
    window->ambientCheck().setChecked(true);
    press(window->readingField(),
          QString(NineReadings).replace("0.5 ", "0.503 ").replace("300 ", "299.996 ") + " 0.2 <Enter>");
    ToneTable saved{};
    ASSERT_EQ(readToneFile(QFile::encodeName(folder.filePath("m.table.csv")).toStdString(), saved),
              ToneFileError::None);
    EXPECT_NE(saved, edited);
    EXPECT_EQ(saved, dialog->model().baselineTable());

    QStringList shown;
    user.dialogAnswer = [&shown](QDialog& run) {
        auto& d = dynamic_cast<GsdfCurveDialog&>(run);
        shown << d.measurementEdit().text() << d.measuredWithEdit().text() << d.minEdit().text() << d.maxEdit().text()
              << d.ambientEdit().text();
        return QDialog::Rejected;
    };
    QTest::keyClick(&window->calibrateButton(), Qt::Key_Return);
    EXPECT_EQ(shown, QStringList({folder.filePath("m.csv"), folder.filePath("m.table.csv"), "0.51", "299.99", "0.20"}));
}

}  // namespace
}  // namespace grayden::test
