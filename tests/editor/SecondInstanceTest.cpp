#include <QApplication>
#include <QProcess>
#include <QWidget>

#include <gtest/gtest.h>

#include "device/simulated/SimulatedMonitorPlatform.h"
#include "editor/app/EditorApp.h"
#include "editor/app/InstanceLock.h"
#include "engine/SettingsStore.h"
#include "render/UiText.h"
#include "resources/StringIds.h"
#include "tests/editor/RecordingInteraction.h"
#include "tests/support/MemoryStringStore.h"

namespace grayden::test {
namespace {

// The second copy, started by the test below as a process of its own.
TEST(SecondInstanceChild, RefusesWithOneMessageAndOpensNoWindow) {
    if (!qEnvironmentVariableIsSet("GRAYDEN_TEST_CHILD")) GTEST_SKIP() << "runs only as the second process";
    SimulatedMonitorPlatform platform;
    MemoryStringStore store;
    RecordingInteraction user;
    EditorApp app(platform, store, user);
    EXPECT_EQ(app.run(), 1);
    EXPECT_EQ(user.messages, std::vector<int>{MsgAlreadyRunning});
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
    EXPECT_TRUE(store.values.empty());
}

TEST(SecondInstance, ASecondProcessIsRefusedWhileTheFirstHoldsTheLock) {
    InstanceLock running;
    ASSERT_EQ(running.acquire(uiText(LockName).toStdString()), InstanceLock::Result::Acquired);

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("GRAYDEN_TEST_CHILD", "1");
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QApplication::applicationFilePath(),
                {"--gtest_filter=SecondInstanceChild.*", "--gtest_also_run_disabled_tests=0"});
    ASSERT_TRUE(child.waitForFinished(60000));
    const QString output = QString::fromLocal8Bit(child.readAll());
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
}

}  // namespace
}  // namespace grayden::test
