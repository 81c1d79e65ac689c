// Runs the editor tests inside one QApplication on the offscreen platform, with the user's
// configuration and runtime folders moved to a temporary folder for the whole run.
#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <cstdlib>

#include "render/ResourceFiles.h"
#include "tests/editor/EditorTestEnvironment.h"

namespace grayden::test {

QString testHome;

}  // namespace grayden::test

int main(int argc, char** argv) {
    QTemporaryDir home;
    if (!home.isValid()) return 1;
    grayden::test::testHome = home.path();
    // A child run of a second-instance test keeps the folders its parent gave it.
    if (!qEnvironmentVariableIsSet("GRAYDEN_TEST_CHILD")) {
        qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
        qputenv("XDG_RUNTIME_DIR", (home.path() + "/runtime").toUtf8());
    }
    QDir().mkpath(qEnvironmentVariable("XDG_CONFIG_HOME"));
    QDir().mkpath(qEnvironmentVariable("XDG_RUNTIME_DIR"));
    QFile::setPermissions(qEnvironmentVariable("XDG_RUNTIME_DIR"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    grayden::initEditorResources();
    // The child tests are started explicitly by their parent tests; left out of listings and
    // ordinary runs, so ctest does not report them as skipped tests.
    GTEST_FLAG_SET(filter, "-SecondInstanceChild.*:JapaneseChild.*");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
