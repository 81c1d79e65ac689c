#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "editor/app/DesktopInteraction.h"
#include "editor/app/UserInteraction.h"
#include "render/UiText.h"
#include "resources/StringIds.h"
#include "tests/editor/CapturedStderr.h"
#include "tests/editor/EditorFixture.h"

namespace grayden::test {
namespace {

TEST(StartupMessages, ABoxForAHiddenWindowIsCentredOnTheScreenAndAShownOwnerKeepsIt) {
    QDialog hidden;
    hidden.setGeometry(0, 0, 400, 300);
    QDialog shown;
    shown.setGeometry(100, 100, 500, 400);
    shown.show();
    for (QWidget* owner : {static_cast<QWidget*>(&hidden), static_cast<QWidget*>(&shown)}) {
        const std::unique_ptr<QMessageBox> box = makeMessageBox(owner, MsgNoMonitor);
        EXPECT_EQ(box->parentWidget(), owner == &shown ? owner : nullptr);
        box->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(box.get()));
        const QPoint expected =
            owner == &shown ? shown.frameGeometry().center() : box->screen()->availableGeometry().center();
        const QPoint offset = box->frameGeometry().center() - expected;
        EXPECT_LE(offset.manhattanLength(), 4)
            << (owner == &shown ? "shown owner: " : "hidden owner: ") << box->frameGeometry().x() << ","
            << box->frameGeometry().y() << " " << box->frameGeometry().width() << "x" << box->frameGeometry().height()
            << " expected centre " << expected.x() << "," << expected.y();
        box->close();
    }
}

TEST(StartupMessages, WithoutAVisibleScreenAMessageGoesToStandardErrorAndDoesNotWait) {
    ASSERT_FALSE(hasVisibleScreen()) << "the editor tests run on the offscreen platform";
    bool waited = false;
    // Should a box open after all, it is closed so the test fails instead of hanging.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            waited = true;
            modal->close();
        }
    });
    guard.start(3000);
    CapturedStderr err;
    DesktopInteraction().showMessage(nullptr, MsgAlreadyRunning);
    const std::string text = err.text();
    EXPECT_FALSE(waited);
    EXPECT_NE(text.find(": Application is already running.\n"), std::string::npos) << text;
}

class NoMonitorHint : public EditorFixture {};

TEST_F(NoMonitorHint, AnUnopenableNodeOfAnAcceptedVendorGetsTheUdevHintOnlyWhenNoMonitorIsFound) {
    platform.addDiscoveryDevices();
    {
        CapturedStderr err;
        start();
        EXPECT_TRUE(started);
        EXPECT_EQ(err.text(), "") << "a monitor was found: no hint";
        dialog->done(EditorDialog::ResultExit);
    }
    platform.unplug(platform.monitorIndex());
    CapturedStderr err;
    start();
    const std::string text = err.text();
    EXPECT_FALSE(started);
    EXPECT_EQ(user.messages, std::vector<int>{MsgNoMonitor});
    EXPECT_EQ(text,
              "simulated:no-access  permission denied: install the udev rule device/udev/"
              "70-grayden-kova.rules (see the README) and replug the monitor\n");
}

TEST(StartupMessages, WithoutADisplayTheEditorSaysSoInOneLineAndExitsWithOne) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
    QProcess editor;
    editor.setProcessEnvironment(env);
    editor.start(GRAYDEN_PATH, {});
    ASSERT_TRUE(editor.waitForFinished(30000));
    const QString err = QString::fromUtf8(editor.readAllStandardError());
    EXPECT_EQ(editor.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(editor.exitCode(), 1);
    EXPECT_EQ(err.count('\n'), 1) << err.toStdString();
    EXPECT_TRUE(err.startsWith("grayden: no display")) << err.toStdString();
    // The installed program has no source tree to point to.
    EXPECT_FALSE(err.contains("scripts/")) << err.toStdString();
}

}  // namespace
}  // namespace grayden::test
