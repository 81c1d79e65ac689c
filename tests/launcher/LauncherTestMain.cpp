// Runs the launcher's window tests inside one QApplication on the offscreen platform.
#include <QApplication>

#include <gtest/gtest.h>

#include "launcher/LauncherResources.h"

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    grayden::initLauncherResources();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
