// The Setting and Help commands in the main window: what each does to the curve, the undo
// history, the views and the monitor, driven through their dialogs.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QTest>

#include <functional>

#include "device/simulated/SimulatedMonitorReports.h"
#include "editor/dialogs/ControlPointsDialog.h"
#include "editor/dialogs/DefaultCurveDialog.h"
#include "editor/dialogs/PanelCharacteristicDialog.h"
#include "editor/dialogs/ScaledEdit.h"
#include "editor/pointlist/PointListCtrl.h"
#include "engine/GammaCurves.h"
#include "tests/editor/EditorFixture.h"

namespace grayden::test {
namespace {

class PaintCounter : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
    int paints = 0;
};

// The user's part in a dialog, which stays hidden so that closing it exposes nothing below.
template <class Dialog>
std::function<int(QDialog&)> typeAndConfirm(std::function<ScaledEdit&(Dialog&)> edit, const char* text) {
    return [edit, text](QDialog& run) {
        auto& dialog = dynamic_cast<Dialog&>(run);
        edit(dialog).selectAll();
        QTest::keyClicks(&edit(dialog), text);
        dialog.accept();
        return dialog.result();
    };
}

class SettingsCommands : public EditorFixture {
protected:
    SettingsCommands() {
        start();
        EXPECT_TRUE(started);
        dialog->show();
        // The window paints a few times while it settles on the screen; later paints are the commands'.
        dialog->installEventFilter(&painted);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        for (int before = -1; before != painted.paints;) {
            before = painted.paints;
            QTest::qWait(100);
        }
        painted.paints = 0;
        platform.clearExchanges();
    }

    CurveModel& model() { return dialog->model(); }

    void previewOn() {
        QTest::mouseClick(&dialog->previewCheck(), Qt::LeftButton);
        QApplication::processEvents();
        platform.clearExchanges();
        painted.paints = 0;
    }

    PaintCounter painted;
};

TEST_F(SettingsCommands, ControlPointsResamplesWithOneUndoRecordAndOnePreview) {
    model().installTable(makeDefaultCurve(2.2));
    previewOn();
    const ToneTable before = model().currentTable();
    user.dialogAnswer = [](QDialog& run) {
        auto& d = dynamic_cast<ControlPointsDialog&>(run);
        EXPECT_EQ(d.countList().currentIndex(), DefaultPointCountIndex);
        d.countList().setCurrentIndex(0);
        d.accept();
        return d.result();
    };
    dialog->onCommand(Command::ControlPoints);
    EXPECT_EQ(model().livePointCount(), 3);
    EXPECT_NE(model().currentTable(), before);
    int editableRows = 0;
    for (int row = 0; row < LevelCount; ++row) {
        const std::optional<CellStyle> style = dialog->pointList().listModel().cellStyle(1, row);
        editableRows += style && style->editable ? 1 : 0;
    }
    EXPECT_EQ(editableRows, 3) << "the list follows";
    EXPECT_EQ(model().undoHistory().size(), 2u) << "the preview switch's record and this one";
    EXPECT_EQ(previewWrites(), 1);
    dialog->onCommand(Command::Undo);
    EXPECT_EQ(model().currentTable(), before);
}

TEST_F(SettingsCommands, DefaultCurveInstallsTheTypedGammaCurveAndPreviewsItWhilePreviewIsOn) {
    const auto exponentEdit = [](DefaultCurveDialog& d) -> ScaledEdit& { return d.exponentEdit(); };
    user.dialogAnswer = typeAndConfirm<DefaultCurveDialog>(exponentEdit, "1.001");
    dialog->onCommand(Command::DefaultCurve);
    EXPECT_EQ(model().exponent(), 1.001);
    EXPECT_EQ(model().sourceTable(), makeDefaultCurve(1.001));
    EXPECT_EQ(model().undoHistory().size(), 1u);
    EXPECT_EQ(previewWrites(), 0);

    previewOn();
    user.dialogAnswer = typeAndConfirm<DefaultCurveDialog>(exponentEdit, "2.2");
    dialog->onCommand(Command::DefaultCurve);
    EXPECT_EQ(model().sourceTable(), makeDefaultCurve(2.2));
    EXPECT_EQ(previewWrites(), 1);
}

TEST_F(SettingsCommands, PanelCharacteristicRepaintsOnlyWhenTheGammaChangesAndNeverTouchesTheCurve) {
    previewOn();
    const ToneTable before = model().currentTable();
    const auto gammaEdit = [](PanelCharacteristicDialog& d) -> ScaledEdit& { return d.gammaEdit(); };
    for (const auto& [typed, repaints] : {std::pair{"2.2", false}, {"2.25", false}, {"1.8", true}}) {
        user.dialogAnswer = typeAndConfirm<PanelCharacteristicDialog>(gammaEdit, typed);
        painted.paints = 0;
        dialog->onCommand(Command::PanelCharacteristic);
        QApplication::processEvents();
        EXPECT_EQ(painted.paints > 0, repaints) << typed;
    }
    EXPECT_EQ(model().panelGamma(), 1.8);
    EXPECT_EQ(dialog->gammaText(), "Panel Gamma : 1.80");
    EXPECT_EQ(model().currentTable(), before);
    EXPECT_EQ(model().undoHistory().size(), 1u) << "only the preview switch's record";
    EXPECT_EQ(platform.exchanges().size(), 0u);
}

TEST_F(SettingsCommands, EachCommandOpensItsDialogAndACancelChangesNothing) {
    std::vector<QString> titles;
    user.dialogAnswer = [&titles](QDialog& run) {
        titles.push_back(run.windowTitle());
        return static_cast<int>(QDialog::Rejected);
    };
    const ToneTable before = model().currentTable();
    for (int command : {Command::ControlPoints, Command::DefaultCurve, Command::PanelCharacteristic, Command::AboutBox})
        dialog->onCommand(command);
    QApplication::processEvents();
    EXPECT_EQ(titles, (std::vector<QString>{"Control Points", "Default Curve Setting", "Panel Characteristic",
                                            "About LCD Ombrel Utility"}));
    EXPECT_EQ(model().currentTable(), before);
    EXPECT_TRUE(model().undoHistory().empty());
    EXPECT_EQ(platform.exchanges().size(), 0u);
    EXPECT_EQ(painted.paints, 0);
}

}  // namespace
}  // namespace grayden::test
