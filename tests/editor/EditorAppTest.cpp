#include <QApplication>
#include <QDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "device/simulated/SimulatedMonitorPlatform.h"
#include "editor/app/EditorApp.h"
#include "editor/pointlist/InplaceEdit.h"
#include "editor/pointlist/PointListCtrl.h"
#include "editor/window/EditorDialog.h"
#include "tests/editor/EditorTestEnvironment.h"
#include "tests/editor/RecordingInteraction.h"
#include "tests/support/MemoryStringStore.h"

namespace grayden::test {
namespace {

EditorDialog* runningEditor() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* d = qobject_cast<EditorDialog*>(w); d && d->isVisible()) return d;
    }
    return nullptr;
}

TEST(EditorApp, AcceleratorsWorkFromTheListAndItsEditBoxAndClosingEndsTheRun) {
    // The application keeps its lock until the process ends, so it gets a runtime folder of its own.
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    const QString own = testHome + "/app-runtime";
    QDir().mkpath(own);
    qputenv("XDG_RUNTIME_DIR", own.toUtf8());

    SimulatedMonitorPlatform platform;
    MemoryStringStore store;
    RecordingInteraction user;
    EditorApp app(platform, store, user);
    bool sawWindow = false;
    int undoAfterEdit = -1;
    QTimer::singleShot(0, [&] {
        EditorDialog* editor = runningEditor();
        ASSERT_NE(editor, nullptr);
        sawWindow = true;
        PointListCtrl& list = editor->pointList();
        QTest::keyClick(&list, Qt::Key_O, Qt::ControlModifier);

        std::string text = "100";
        list.listModel().enterValueText(31, text);
        undoAfterEdit = static_cast<int>(editor->model().undoHistory().size());
        // Ctrl+Z typed into the open edit box undoes in the window, not in the box.
        list.scrollTo(list.model()->index(63, 1));
        list.selectRow(63);
        ASSERT_TRUE(list.openEditorAt(list.visualRect(list.model()->index(63, 1)).center()));
        QTest::keyClick(list.editor(), Qt::Key_Z, Qt::ControlModifier);
        EXPECT_TRUE(editor->model().undoHistory().empty());
        editor->close();
    });
    // Should a step above fail, the window still ends and the test does not hang.
    QTimer::singleShot(30000, [] {
        if (EditorDialog* editor = runningEditor()) editor->done(EditorDialog::ResultExit);
    });
    EXPECT_EQ(app.run(), 0);
    qputenv("XDG_RUNTIME_DIR", runtime);

    EXPECT_TRUE(sawWindow);
    EXPECT_EQ(user.openCalls, 1);
    EXPECT_EQ(undoAfterEdit, 1);
    EXPECT_EQ(runningEditor(), nullptr);
    EXPECT_EQ(store.values.size(), 7u);
}

}  // namespace
}  // namespace grayden::test
