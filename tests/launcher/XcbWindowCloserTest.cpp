// The window lookup and close request on a real X server (see with-window-manager.sh), against
// windows of other processes, as the editor's window would be.
#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include "launcher/XcbWindowCloser.h"

namespace grayden {
namespace {

const QString EditorTitle = "LCD Ombrel Utility";

class OtherProgram {
public:
    explicit OtherProgram(const QString& title) {
        process_.setProcessChannelMode(QProcess::ForwardedChannels);
        process_.start(TITLED_WINDOW_PATH, {title});
        process_.waitForStarted();
    }
    ~OtherProgram() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished();
        }
    }
    bool endsWithin(int ms) { return process_.waitForFinished(ms); }
    bool running() const { return process_.state() == QProcess::Running; }

private:
    QProcess process_;
};

class XServer : public ::testing::Test {
protected:
    void SetUp() override {
        connection = xcb_connect(nullptr, nullptr);
        ASSERT_FALSE(xcb_connection_has_error(connection)) << "no X server (DISPLAY)";
        root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    }
    void TearDown() override { xcb_disconnect(connection); }

    // Waits until a window of that title is on the screen.
    bool appears(XcbWindowCloser& closer, const QString& title) {
        const QDeadlineTimer deadline(20000);
        while (closer.findWindowTitled(title) == XCB_WINDOW_NONE) {
            if (deadline.hasExpired()) return false;
            QThread::msleep(50);
        }
        return true;
    }

    xcb_connection_t* connection = nullptr;
    xcb_window_t root = XCB_WINDOW_NONE;
};

TEST_F(XServer, ClosesTheWindowWithExactlyTheTitleAndLeavesALongerOneAlone) {
    XcbWindowCloser closer(connection, root);
    OtherProgram longer(EditorTitle + " Ver2.0.0");
    ASSERT_TRUE(appears(closer, EditorTitle + " Ver2.0.0"));
    EXPECT_FALSE(closer.closeWindowTitled(EditorTitle));

    OtherProgram exact(EditorTitle);
    ASSERT_TRUE(appears(closer, EditorTitle));
    EXPECT_TRUE(closer.closeWindowTitled(EditorTitle));
    // The program ends on the request, and its window is gone with it.
    EXPECT_TRUE(exact.endsWithin(10000));
    EXPECT_EQ(closer.findWindowTitled(EditorTitle), XCB_WINDOW_NONE);

    EXPECT_TRUE(longer.running());
    EXPECT_NE(closer.findWindowTitled(EditorTitle + " Ver2.0.0"), XCB_WINDOW_NONE);
}

}  // namespace
}  // namespace grayden
