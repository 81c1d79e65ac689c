#include <QCheckBox>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "device/TonePacking.h"
#include "editor/pointlist/PointListCtrl.h"
#include "engine/ToneFile.h"
#include "resources/StringIds.h"
#include "tests/editor/EditorFixture.h"

namespace grayden::test {
namespace {

constexpr std::uint16_t VendorPageB = 0xFF01;
constexpr std::uint8_t UsageBlockData = 0x8F;

class EditorDialogTest : public EditorFixture {
protected:
    EditorDialogTest() {
        start();
        EXPECT_TRUE(started);
        platform.clearExchanges();
    }

    QString writeFile(const QString& name, const QByteArray& text) {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return path;
    }

    QAction* menuAction(int id) {
        for (QAction* popup : dialog->menuBar().actions()) {
            for (QAction* item : popup->menu()->actions()) {
                if (!item->isSeparator() && item->data().toInt() == id) return item;
            }
        }
        return nullptr;
    }

    // Opens the popup holding the command, as a click on the menu bar would, and reads its state.
    bool menuItemEnabled(int id) {
        QAction* item = menuAction(id);
        for (QAction* popup : dialog->menuBar().actions()) {
            if (popup->menu()->actions().contains(item)) emit popup->menu()->aboutToShow();
        }
        return item->isEnabled();
    }
};

TEST_F(EditorDialogTest, UndoIsGreyExactlyWhileTheHistoryIsEmpty) {
    EXPECT_FALSE(menuItemEnabled(Command::Undo));
    EXPECT_TRUE(menuItemEnabled(Command::WriteToMonitor));
    EXPECT_TRUE(menuItemEnabled(Command::DefaultCurve));
    user.openPath = writeFile("ramp.csv", QByteArray::fromStdString(formatToneText(makeDefaultCurve(2.0))));
    dialog->onCommand(Command::Open);
    EXPECT_TRUE(menuItemEnabled(Command::Undo));
    dialog->onCommand(Command::Undo);
    EXPECT_FALSE(menuItemEnabled(Command::Undo));
    EXPECT_EQ(dialog->model().currentTable(), identityTable());
}

TEST_F(EditorDialogTest, OpenAndSaveGoThroughTheModelAndRememberThePath) {
    const ToneTable curve = makeDefaultCurve(2.2);
    user.openPath = writeFile("gamma.csv", QByteArray::fromStdString(formatToneText(curve)));
    dialog->onCommand(Command::Open);
    EXPECT_EQ(user.openCalls, 1);
    EXPECT_EQ(dialog->model().filePath(), user.openPath.toStdString());
    EXPECT_EQ(dialog->model().undoHistory().size(), 1u);
    const ToneTable loaded = dialog->model().currentTable();

    // Save writes to the remembered file without asking.
    QFile::remove(user.openPath);
    dialog->onCommand(Command::Save);
    EXPECT_EQ(user.saveCalls, 0);
    ToneTable reread{};
    ASSERT_EQ(readToneFile(user.openPath.toStdString(), reread), ToneFileError::None);
    EXPECT_EQ(reread, loaded);

    // Save As starts from the remembered file and writes where the user chose.
    user.savePath = folder.filePath("copy.csv");
    dialog->onCommand(Command::SaveAs);
    EXPECT_EQ(user.lastSaveInitialPath, user.openPath);
    EXPECT_TRUE(QFile::exists(user.savePath));
    EXPECT_EQ(dialog->model().filePath(), user.savePath.toStdString());

    // A cancelled chooser changes nothing.
    user.openPath.clear();
    dialog->onCommand(Command::Open);
    EXPECT_EQ(dialog->model().undoHistory().size(), 1u);
}

TEST_F(EditorDialogTest, ABrokenFileShowsItsMessageAndKeepsTheCurve) {
    user.openPath = writeFile("short.csv", "1,2,3");
    dialog->onCommand(Command::Open);
    EXPECT_EQ(user.messages, std::vector<int>{MsgInvalidFileContents});
    EXPECT_EQ(dialog->model().currentTable(), identityTable());
    EXPECT_TRUE(dialog->model().filePath().empty());
    EXPECT_EQ(dialog->model().undoHistory().size(), 1u) << "the record is pushed before reading";
}

TEST_F(EditorDialogTest, SaveWithoutAFileAsksForOne) {
    user.savePath = folder.filePath("new.csv");
    dialog->onCommand(Command::Save);
    EXPECT_EQ(user.saveCalls, 1);
    EXPECT_TRUE(user.lastSaveInitialPath.isEmpty());
    EXPECT_TRUE(QFile::exists(user.savePath));
}

TEST_F(EditorDialogTest, TheCloseBoxWritesTheStoredTableBackAndExitDoesNot) {
    dialog->show();
    std::string text = "4000";
    ASSERT_TRUE(dialog->pointList().listModel().enterValueText(127, text));
    platform.monitor().state().stored.fill(0);
    dialog->close();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), EditorDialog::ResultCancel);
    EXPECT_GE(writesSince(), 8u) << "four block selections and four block writes";
    // The table read at start-up goes back, not the edited one.
    ToneTable stored{};
    for (int i = 0; i < LevelCount; ++i) stored[i] = unpackToneWord(platform.monitor().state().stored[i]);
    EXPECT_EQ(stored, dialog->model().baselineTable());
    EXPECT_NE(stored, dialog->model().currentTable());
}

TEST_F(EditorDialogTest, ExitEndsWithoutWritingToTheMonitor) {
    dialog->show();
    dialog->onCommand(Command::Exit);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), EditorDialog::ResultExit);
    EXPECT_EQ(writesSince(), 0u);
}

TEST_F(EditorDialogTest, EscapeEndsLikeExitAndEnterDoesNothing) {
    dialog->show();
    QTest::keyClick(dialog.get(), Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    QTest::keyClick(&dialog->pointList(), Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    QTest::keyClick(&dialog->pointList(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), EditorDialog::ResultCancel);
    EXPECT_EQ(writesSince(), 0u);
}

TEST_F(EditorDialogTest, TypedValuesAreValidatedAndMoveTheirPoint) {
    std::string text = "12abc";
    ASSERT_TRUE(dialog->pointList().listModel().enterValueText(31, text));
    EXPECT_EQ(text, "12");
    EXPECT_EQ(dialog->model().points()[1].value, 12);
    EXPECT_EQ(dialog->model().currentTable()[31], 12);
    EXPECT_EQ(dialog->pointList().listModel().cellText(31, 1), "12");
    EXPECT_EQ(dialog->model().undoHistory().size(), 1u);

    for (const char* refused : {"-1", "9000"}) {
        std::string t = refused;
        EXPECT_FALSE(dialog->pointList().listModel().enterValueText(63, t)) << refused;
    }
    EXPECT_EQ(dialog->model().undoHistory().size(), 1u);

    std::string empty;
    ASSERT_TRUE(dialog->pointList().listModel().enterValueText(255, empty));
    EXPECT_EQ(dialog->model().points()[8].value, 0);

    std::string notAPoint = "5";
    EXPECT_FALSE(dialog->pointList().listModel().enterValueText(30, notAPoint)) << "a row that is no longer a point";
    EXPECT_EQ(dialog->model().undoHistory().size(), 2u);
    EXPECT_EQ(writesSince(), 0u) << "preview is off";
}

TEST_F(EditorDialogTest, PreviewOnRemembersTheMonitorsPreviewAndPreviewsEveryEdit) {
    QTest::mouseClick(&dialog->previewCheck(), Qt::LeftButton);
    EXPECT_TRUE(dialog->model().previewOn());
    EXPECT_EQ(dialog->model().undoHistory().size(), 1u);
    EXPECT_GT(writesSince(), 0u);

    std::string text = "4000";
    ASSERT_TRUE(dialog->pointList().listModel().enterValueText(127, text));
    EXPECT_GT(writesSince(), 0u);

    QTest::mouseClick(&dialog->previewCheck(), Qt::LeftButton);
    EXPECT_FALSE(dialog->model().previewOn());
    EXPECT_EQ(writesSince(), 0u) << "switching off sends nothing";
}

TEST_F(EditorDialogTest, AFailedPreviewReadPushesNoUndoRecord) {
    platform.failUsage(VendorPageB, UsageBlockData);
    QTest::mouseClick(&dialog->previewCheck(), Qt::LeftButton);
    EXPECT_TRUE(dialog->model().previewOn());
    EXPECT_TRUE(dialog->model().undoHistory().empty());
    EXPECT_EQ(user.messages, std::vector<int>{MsgReadFailed});
}

TEST_F(EditorDialogTest, DisplayOutputCurveFollowsItsBox) {
    QTest::mouseClick(&dialog->outputCurveCheck(), Qt::LeftButton);
    EXPECT_TRUE(dialog->model().showOutputCurve());
    EXPECT_EQ(writesSince(), 0u);
}

TEST_F(EditorDialogTest, LayoutKeepsTheListWidthAndGivesTheGraphTheRest) {
    dialog->show();
    dialog->resize(1000, 700);
    QApplication::processEvents();
    const QRect list = dialog->pointList().geometry();
    // Offsets of the window's outer edges from the client area (none without a window manager).
    const QRect outer = dialog->frameGeometry();
    const QRect inner = dialog->geometry();
    // 15 pixels below the outer top edge plus the menu bar and the title bar, the frame's border
    // not counted: in client coordinates 15 less the border below the menu bar.
    const int border = outer.bottom() - inner.bottom();
    const int top = dialog->menuBar().sizeHint().height() + 15 - border;
    EXPECT_EQ(list.topLeft(), QPoint(15 - (inner.left() - outer.left()), top));
    EXPECT_EQ(list.y() + list.height(), dialog->height() - 15 + (outer.bottom() - inner.bottom()));
    const EdgeRect& graph = dialog->graphRect();
    EXPECT_EQ(graph.left, list.x() + list.width() + 15);
    EXPECT_EQ(graph.top, top);
    EXPECT_EQ(graph.right, dialog->width() - 15 + (outer.right() - inner.right()));
    EXPECT_EQ(dialog->plotRect().left, graph.left + 45);
    EXPECT_EQ(dialog->plotRect().bottom, graph.bottom - 45);
    const QRect preview = dialog->previewCheck().geometry();
    EXPECT_EQ(preview.topLeft(), QPoint(list.x() + list.width() + 15, graph.bottom + 15));
    EXPECT_EQ(dialog->outputCurveCheck().y(), preview.y() + preview.height() + 7);
    EXPECT_EQ(dialog->model().windowWidth(), outer.width());
    EXPECT_EQ(dialog->model().windowHeight(), outer.height());
    EXPECT_EQ(dialog->graph().backBuffer().size(), dialog->graph().size());

    dialog->resize(300, 200);
    QApplication::processEvents();
    EXPECT_GE(dialog->frameGeometry().width(), 640);
    EXPECT_GE(dialog->frameGeometry().height(), 480);
}

}  // namespace
}  // namespace grayden::test
