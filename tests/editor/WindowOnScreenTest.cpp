// The main window's size and state on a real screen. The same tests run on the offscreen
// platform and on an X server whose windows a window manager frames, moves and maximises.
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QTest>

#include "editor/window/FrameWatcher.h"
#include "render/GraphGeometry.h"
#include "tests/editor/EditorFixture.h"

namespace grayden::test {
namespace {

constexpr int Patience = 5000;  // ms for the window manager to carry out a request

class WindowOnScreen : public EditorFixture {
protected:
    void storeSize(int width, int height) {
        store.values[std::string(SettingsKeyPath) + "\\Width"] = std::to_string(width);
        store.values[std::string(SettingsKeyPath) + "\\Height"] = std::to_string(height);
    }

    QSize storedSize() const {
        const auto value = [&](const char* name) {
            const auto found = store.values.find(std::string(SettingsKeyPath) + "\\" + name);
            return found == store.values.end() ? -1 : std::stoi(found->second);
        };
        return QSize(value("Width"), value("Height"));
    }

    EditorDialog& showStarted() {
        EditorDialog& d = start();
        EXPECT_TRUE(started);
        d.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&d, Patience));
        return d;
    }

    // The outer rectangle: the client area and the frame the window manager announced for it.
    QRect outerRect() const { return dialog->geometry().marginsAdded(announcedFrame(*dialog).value_or(QMargins())); }
    QSize frameSize() const { return outerRect().size(); }
    // Waits for the outer size, once the window manager has told the frame around the window (a
    // full-screen window may have none).
    bool waitForFrame(QSize size) {
        return QTest::qWaitFor(
            [&] { return (announcedFrame(*dialog) || dialog->isFullScreen()) && frameSize() == size; }, Patience);
    }
    bool waitForState(Qt::WindowState state) {
        return QTest::qWaitFor([&] { return dialog->windowState() == state; }, Patience);
    }
    // Drags the window by its title bar as a user does, so that the window manager itself moves
    // it. The offscreen platform has no title bar: there the window moves itself.
    void dragBy(QPoint step) {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            dialog->move(outerRect().topLeft() + step);
            return;
        }
        // Openbox may put a window back from full screen with its title bar above the screen.
        if (outerRect().top() < 0) {
            dialog->move(200, 200);
            letItSettle();
        }
        const QRect outer = outerRect();
        const QPoint grip(outer.center().x(), (outer.top() + dialog->geometry().top()) / 2);
        ASSERT_GE(grip.y(), 0) << "the title bar is off the screen";
        const QStringList pause{"sleep", "0.1"};
        const auto at = [&](QPoint p) {
            return QStringList{"mousemove", QString::number(p.x()), QString::number(p.y())} + pause;
        };
        const QStringList drag = at(grip) + QStringList{"mousedown", "1"} + pause + at(grip + step / 4) +
                                 at(grip + step / 2) + at(grip + step) + QStringList{"mouseup", "1"};
        ASSERT_EQ(QProcess::execute("xdotool", drag), 0);
    }
    // Time for anything that would undo what the window manager just did.
    static void letItSettle() { QTest::qWait(400); }
};

TEST_F(WindowOnScreen, StoredSizeIsTheOuterSizeFromTheStartAndAfterMoves) {
    storeSize(900, 650);
    showStarted();
    ASSERT_TRUE(waitForFrame({900, 650})) << frameSize().width() << "x" << frameSize().height();
    EXPECT_LT(dialog->width(), 900) << "the client area is the stored size less the frame";
    // Wherever the window manager placed it, the title bar is brought well inside the screen.
    dialog->move(200, 200);
    letItSettle();
    for (const QPoint step : {QPoint(40, 30), QPoint(-25, 15), QPoint(10, -20)}) {
        const QPoint target = outerRect().topLeft() + step;
        dragBy(step);
        ASSERT_TRUE(QTest::qWaitFor([&] { return outerRect().topLeft() == target; }, Patience))
            << "at " << outerRect().x() << "," << outerRect().y() << " instead of " << target.x() << "," << target.y();
        letItSettle();
        EXPECT_EQ(frameSize(), QSize(900, 650)) << "after a move by " << step.x() << "," << step.y() << ": "
                                                << frameSize().width() << "x" << frameSize().height();
        EXPECT_EQ(outerRect().topLeft(), target);
    }
    dialog->close();
    EXPECT_EQ(storedSize(), QSize(900, 650));
}

TEST_F(WindowOnScreen, MaximiseFullScreenAndRestoreAreLeftToTheWindowManager) {
    storeSize(900, 650);
    showStarted();
    // Maximised before anything else, as a user may do at once; then again once settled.
    for (int round = 0; round < 2; ++round) {
        dialog->showMaximized();
        ASSERT_TRUE(waitForState(Qt::WindowMaximized)) << "round " << round;
        ASSERT_TRUE(QTest::qWaitFor([&] { return frameSize().width() > 900; }, Patience));
        letItSettle();
        const QSize maximised = frameSize();
        EXPECT_EQ(dialog->windowState(), Qt::WindowMaximized) << "round " << round;
        EXPECT_GT(maximised.width(), 900);
        EXPECT_GT(maximised.height(), 650);
        // Every resize is stored, the maximised one too.
        EXPECT_EQ(QSize(dialog->model().windowWidth(), dialog->model().windowHeight()), maximised);
        dialog->showNormal();
        ASSERT_TRUE(waitForState(Qt::WindowNoState));
        EXPECT_TRUE(waitForFrame({900, 650})) << frameSize().width() << "x" << frameSize().height();
    }

    dialog->showFullScreen();
    ASSERT_TRUE(waitForState(Qt::WindowFullScreen));
    const QSize screen = dialog->screen()->geometry().size();
    ASSERT_TRUE(waitForFrame(screen));
    letItSettle();
    EXPECT_EQ(dialog->windowState(), Qt::WindowFullScreen);
    EXPECT_EQ(frameSize(), screen);
    dialog->showNormal();
    ASSERT_TRUE(waitForState(Qt::WindowNoState));
    EXPECT_TRUE(waitForFrame({900, 650}));

    dragBy(QPoint(30, 20));
    letItSettle();
    EXPECT_EQ(frameSize(), QSize(900, 650));
    dialog->close();
    EXPECT_EQ(storedSize(), QSize(900, 650));
}

// A scale factor is fixed when the process starts, so each one runs in a process of its own.
TEST_F(WindowOnScreen, ScaledChild_TheWholeFrameOpensInsideTheFreeArea) {
    if (!qEnvironmentVariableIsSet("GRAYDEN_TEST_CHILD")) GTEST_SKIP() << "runs only as a scaled process";
    showStarted();
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return announcedFrame(*dialog).has_value(); }, Patience));
    }
    letItSettle();
    const QRect outer = outerRect();
    const QRect free = dialog->screen()->availableGeometry();
    EXPECT_TRUE(free.contains(outer)) << "frame " << outer.x() << "," << outer.y() << " " << outer.width() << "x"
                                      << outer.height() << " on " << free.width() << "x" << free.height();
}

TEST(WindowPlacement, TheWholeFrameOpensInsideTheFreeAreaAtEveryScale) {
    for (const char* scale : {"1", "1.25", "1.5", "2"}) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_SCALE_FACTOR", scale);
        env.insert("GRAYDEN_TEST_CHILD", "1");
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {"--gtest_filter=WindowOnScreen.ScaledChild_TheWholeFrameOpensInsideTheFreeArea"});
        ASSERT_TRUE(child.waitForFinished(60000)) << "scale " << scale;
        const QString output = QString::fromLocal8Bit(child.readAll());
        EXPECT_TRUE(child.exitCode() == 0 && output.contains("[  PASSED  ] 1 test")) << "scale " << scale << "\n"
                                                                                     << output.toStdString();
    }
}

TEST_F(WindowOnScreen, StoredSizeLargerThanTheScreenOpensWithinItsFreeArea) {
    storeSize(65535, 65535);
    start();
    ASSERT_TRUE(started);
    const QSize free = dialog->screen()->availableGeometry().size();
    EXPECT_LE(frameSize().width(), free.width());
    EXPECT_LE(frameSize().height(), free.height());
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get(), Patience));
    letItSettle();
    EXPECT_LE(frameSize().width(), free.width());
    EXPECT_LE(frameSize().height(), free.height());
    const qreal ratio = dialog->devicePixelRatio();
    EXPECT_LE(dialog->graph().backBuffer().width(), free.width() * ratio);
    EXPECT_LE(dialog->graph().backBuffer().height(), free.height() * ratio);
    dialog->close();
    EXPECT_LE(storedSize().width(), free.width());
    EXPECT_LE(storedSize().height(), free.height());
}

TEST_F(WindowOnScreen, GraphIsDrawnInTheScreensDevicePixels) {
    storeSize(900, 650);
    showStarted();
    const qreal ratio = dialog->devicePixelRatio();
    const QImage& backBuffer = dialog->graph().backBuffer();
    EXPECT_EQ(backBuffer.size(), dialog->graph().size() * ratio);
    EXPECT_EQ(backBuffer.devicePixelRatio(), ratio);
    // What reaches the window is the back buffer, pixel for pixel.
    const QImage shown = dialog->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect graph = dialog->graphRect().toQRect();
    const QRect pixels(graph.topLeft() * ratio, graph.size() * ratio);
    EXPECT_EQ(shown.copy(pixels), backBuffer.copy(pixels.translated(-pixels.topLeft())));
}

// On an X server the pointer cannot leave the graph area while a point is dragged, and is free
// again after the release; where the platform cannot hold it, the value still stops at its ends.
TEST_F(WindowOnScreen, ADraggedPointKeepsThePointerInTheGraph) {
    storeSize(900, 650);
    showStarted();
    ASSERT_TRUE(waitForFrame({900, 650}));
    letItSettle();
    const EdgeRect& plot = dialog->plotRect();
    const ControlPoint& point = dialog->model().points()[4];
    const QPoint grip(gridX(plot, point.level), gridY(plot, point.value));
    const QRect graph(dialog->mapToGlobal(dialog->graphRect().toQRect().topLeft()),
                      dialog->graphRect().toQRect().size());
    const QRect screen = dialog->screen()->geometry();
    const bool x11 = QGuiApplication::platformName() == QLatin1String("xcb");
    // xdotool moves the server's own pointer, which the grab holds; elsewhere the events are sent.
    const auto pointer = [&](const QStringList& action) {
        if (x11) {
            ASSERT_EQ(QProcess::execute("xdotool", action), 0);
        }
        QTest::qWait(200);
    };
    const auto moveTo = [&](QPoint global) {
        if (x11) return pointer({"mousemove", QString::number(global.x()), QString::number(global.y())});
        QTest::mouseMove(&dialog->graph(), dialog->graph().mapFromGlobal(global));
    };

    moveTo(dialog->mapToGlobal(grip));
    if (x11) {
        pointer({"mousedown", "1"});
    } else {
        QTest::mousePress(&dialog->graph(), Qt::LeftButton, {}, dialog->graph().mapFrom(dialog.get(), grip));
    }
    ASSERT_EQ(dialog->graph().drag().dragIndex(), 4);
    const struct {
        QPoint target;
        int value;
    } moves[] = {{screen.topLeft(), FullScale}, {screen.bottomRight(), 0}};
    for (const auto& m : moves) {
        moveTo(m.target);
        EXPECT_EQ(dialog->model().points()[4].value, m.value);
        if (x11) {
            EXPECT_TRUE(graph.contains(QCursor::pos())) << QCursor::pos().x() << "," << QCursor::pos().y();
        }
    }
    if (x11) {
        pointer({"mouseup", "1"});
    } else {
        QTest::mouseRelease(&dialog->graph(), Qt::LeftButton, {}, dialog->graph().mapFrom(dialog.get(), grip));
    }
    EXPECT_FALSE(dialog->graph().drag().isDragging());
    if (x11) {
        moveTo(screen.topLeft());
        EXPECT_EQ(QCursor::pos(), screen.topLeft()) << "released";
    }
}

}  // namespace
}  // namespace grayden::test
