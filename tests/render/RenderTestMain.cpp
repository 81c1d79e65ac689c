// Runs the graph painting tests inside one QGuiApplication on the offscreen platform, with the
// compiled-in resources registered as the programs register them.
#include <QGuiApplication>

#include <gtest/gtest.h>

#include "render/ResourceFiles.h"

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    grayden::initEditorResources();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
