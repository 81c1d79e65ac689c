// Dragging control points in the main window's graph with the mouse, on the simulated monitor.
#include <QApplication>
#include <QCheckBox>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QRegion>
#include <QTest>

#include <climits>
#include <cmath>

#include "device/TonePacking.h"
#include "editor/pointlist/InplaceEdit.h"
#include "editor/pointlist/PointListCtrl.h"
#include "resources/StringIds.h"
#include "tests/editor/EditorFixture.h"

namespace grayden::test {
namespace {

constexpr std::uint16_t VendorPageB = 0xFF01;
constexpr std::uint8_t UsageBlockData = 0x8F;

// Remembers what the window asked to confine, as an X server would have done it.
struct RecordingConfinement final : PointerConfinement {
    bool confine(QWidget&, const QRect& area) override {
        areas.push_back(area);
        confined = true;
        return true;
    }
    void release() override { confined = false; }
    std::vector<QRect> areas;
    bool confined = false;
};

// The parts of a widget that were painted.
struct PaintRecorder final : QObject {
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
    QRegion painted;
};

class GraphDragTest : public EditorFixture {
protected:
    GraphDragTest() {
        start();
        EXPECT_TRUE(started);
        auto recording = std::make_unique<RecordingConfinement>();
        confinement = recording.get();
        dialog->graph().setPointerConfinement(std::move(recording));
        dialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        // The pointer enters in a corner first: the platform reports the entering position as an
        // enter, and a move to where the pointer already is as nothing.
        move(QPoint(1, dialog->height() - 2));
        platform.clearExchanges();
    }

    CurveModel& model() { return dialog->model(); }
    GraphWidget& graph() { return dialog->graph(); }
    // A point in the window's client pixels, where the graph control sees it.
    QPoint local(QPoint p) { return graph().mapFrom(dialog.get(), p); }
    EdgeRect plot() { return dialog->plotRect(); }
    // Where point k sits in the grid mapping, plus an offset.
    QPoint at(int k, int dx = 0, int dy = 0) {
        const ControlPoint& p = model().points()[k];
        return QPoint(gridX(plot(), p.level) + dx, gridY(plot(), p.value) + dy);
    }
    void press(QPoint p, Qt::MouseButton button = Qt::LeftButton) { QTest::mousePress(&graph(), button, {}, local(p)); }
    void release(QPoint p, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseRelease(&graph(), button, {}, local(p));
    }
    // Without a button held this goes through the platform's pointer, as a hovering user's does.
    void move(QPoint p) { QTest::mouseMove(&graph(), local(p)); }
    bool handShows() { return graph().cursor() == graph().handCursor(); }
    // Whether the monitor's preview table holds a table, as exactly as its packing can.
    bool previewHolds(const ToneTable& table) {
        for (int i = 0; i < LevelCount; ++i) {
            if (platform.monitor().state().preview[i] != packToneLevel(table[i])) return false;
        }
        return true;
    }

    RecordingConfinement* confinement = nullptr;
};

TEST_F(GraphDragTest, ADragFollowsThePointerAndTellsTheListAndTheMonitorOnlyAtTheEnd) {
    const ToneTable before = model().currentTable();
    for (const bool preview : {false, true}) {
        if (preview) QTest::mouseClick(&dialog->previewCheck(), Qt::LeftButton);
        // Taken at each press: on a busy machine the window may still be given its start-up size.
        const EdgeRect graph = dialog->graphRect();
        const std::size_t records = model().undoHistory().size();
        platform.clearExchanges();
        const int k = preview ? 2 : 4;
        const int level = model().points()[k].level;
        const QString listed = dialog->pointList().listModel().cellText(level, 1);
        press(at(k));
        EXPECT_EQ(dialog->readoutText(), QString("X = %1, Y = %2").arg(level).arg(model().points()[k].value));
        // Into the top margin, into the bottom margin, and back into the plot.
        // y and the value there (-1: the value under the pointer).
        const std::pair<int, int> moves[] = {
            {graph.top + 2, FullScale}, {graph.bottom - 2, 0}, {plot().top + plot().height() / 3, -1}};
        PaintRecorder paints;
        dialog->graph().installEventFilter(&paints);
        for (const auto& [y, expected] : moves) {
            paints.painted = QRegion();
            move(QPoint(at(k).x() + 50, y));
            QCoreApplication::processEvents();
            EXPECT_TRUE(paints.painted.contains(local(at(k)))) << "the graph is repainted during the drag, at y " << y;
            const int value = model().points()[k].value;
            if (expected >= 0) {
                EXPECT_EQ(value, expected) << "at y " << y;
            } else {
                EXPECT_LE(std::abs(gridY(plot(), value) - y), 1) << "the point sits under the pointer";
            }
            EXPECT_EQ(model().points()[k].level, level) << "points move only up and down";
            EXPECT_EQ(model().currentTable()[level], value);
            EXPECT_EQ(dialog->readoutText(), QString("X = %1, Y = %2").arg(level).arg(value));
            EXPECT_EQ(dialog->pointList().listModel().cellText(level, 1), listed) << "the list waits";
            EXPECT_EQ(writesSince(), 0u) << "the monitor waits";
        }
        dialog->graph().removeEventFilter(&paints);
        release(at(k));
        EXPECT_EQ(model().undoHistory().size(), records + 1) << "one record for the whole drag";
        EXPECT_EQ(confinement->areas.back(), graph.toQRect());
        EXPECT_FALSE(confinement->confined);
        EXPECT_EQ(dialog->pointList().listModel().cellText(level, 1), QString::number(model().currentTable()[level]));
        const std::size_t writes = writesSince();
        if (preview) {
            EXPECT_TRUE(previewHolds(model().currentTable()));
            // Exactly as many exchanges as one preview of the table takes.
            model().releasePoint();  // a release previews the table once more
            EXPECT_EQ(writes, writesSince());
        } else {
            EXPECT_EQ(writes, 0u);
            model().undo();
            EXPECT_EQ(model().currentTable(), before);
        }
    }
    EXPECT_TRUE(user.messages.empty());
}

TEST_F(GraphDragTest, APressGrabsOnlyPointsUnderThirtyPixelsInsideTheGraph) {
    const struct {
        QPoint pos;
        Qt::MouseButton button;
        int grabbed;
    } presses[] = {
        {at(4), Qt::LeftButton, 4},
        {at(4, 0, -29), Qt::LeftButton, 4},
        {at(4, 0, -30), Qt::LeftButton, -1},
        {at(4, 21, 21), Qt::LeftButton, 4},   // 29.7 pixels
        {at(4, 22, 21), Qt::LeftButton, -1},  // 30.4 pixels
        {at(4), Qt::RightButton, -1},
        // 21 pixels above the last point, just above the graph area.
        {at(8, 0, -21), Qt::LeftButton, -1},
    };
    ASSERT_EQ(at(8).y() - 20, dialog->graphRect().top);
    for (const auto& p : presses) {
        const std::size_t records = model().undoHistory().size();
        const ToneTable table = model().currentTable();
        const QString readout = dialog->readoutText();
        press(p.pos, p.button);
        EXPECT_EQ(graph().drag().dragIndex(), p.grabbed) << p.pos.x() << "," << p.pos.y();
        release(p.pos, p.button);
        EXPECT_EQ(model().undoHistory().size(), records + (p.grabbed >= 0 ? 1 : 0));
        EXPECT_EQ(dialog->readoutText(), p.grabbed >= 0 ? QString("X = 127, Y = 4064") : readout);
        EXPECT_EQ(model().currentTable(), table) << "nothing moved";
    }
    EXPECT_EQ(confinement->areas.size(), 3u);
    EXPECT_EQ(writesSince(), 0u);
}

TEST_F(GraphDragTest, OverlappingMarkersGoToTheNearerOneOrTheLowerIndex) {
    ASSERT_TRUE(model().applyPointCount(5));  // 33 points, levels 0, 7, 15, ...
    model().setPointValue(1, 4000);
    model().setPointValue(2, 4000);
    const int x1 = at(1).x();
    const int x2 = at(2).x();
    const int mid = (x1 + x2) / 2;
    const int y = at(1).y() + 20;
    // Truncated, both distances from the middle are the same.
    ASSERT_EQ(int(std::hypot(mid - x1, 20)), int(std::hypot(x2 - mid, 20)));
    const struct {
        int x;
        int grabbed;
    } presses[] = {{mid, 1}, {x2 - 1, 2}, {x1 + 1, 1}};
    for (const auto& p : presses) {
        press(QPoint(p.x, y));
        EXPECT_EQ(graph().drag().dragIndex(), p.grabbed) << "at x " << p.x;
        release(QPoint(p.x, y));
    }
}

TEST_F(GraphDragTest, WithEveryLevelAPointTheGraphOnlyShows) {
    ASSERT_TRUE(model().applyPointCount(AllLevelsPointCountIndex));
    const std::size_t records = model().undoHistory().size();
    const ToneTable table = model().currentTable();
    move(at(100));
    EXPECT_FALSE(handShows());
    press(at(100));
    move(at(100, 0, -200));
    release(at(100, 0, -200));
    EXPECT_EQ(model().undoHistory().size(), records);
    EXPECT_EQ(model().currentTable(), table);
    EXPECT_FALSE(handShows());
    EXPECT_TRUE(confinement->areas.empty());
}

TEST_F(GraphDragTest, TheHandShowsNearPointsAndDuringADragAndNeverOnTheControls) {
    const QPoint background(dialog->graphRect().left + 100, dialog->graphRect().bottom + 3);
    ASSERT_EQ(dialog->childAt(background), nullptr);
    const struct {
        QPoint pos;
        bool hand;
    } hovers[] = {
        {at(4, 14, 0), true},   {at(4, 15, 0), false},
        {at(4, 0, 10), true},   {background, true},  // outside the graph area the state stays
        {at(4, 0, 100), false}, {background, false},
    };
    for (const auto& h : hovers) {
        move(h.pos);
        EXPECT_EQ(handShows(), h.hand) << h.pos.x() << "," << h.pos.y();
    }
    move(at(4));
    ASSERT_TRUE(handShows());
    EXPECT_EQ(dialog->previewCheck().cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(dialog->pointList().viewport()->cursor().shape(), Qt::ArrowCursor);

    // Dragged far from every point, the hand stays until the next move after the release.
    press(at(4));
    move(QPoint(dialog->graphRect().right - 2, dialog->graphRect().top + 2));
    EXPECT_TRUE(handShows());
    release(at(4));
    move(at(4, 0, 100));
    EXPECT_FALSE(handShows());
}

TEST_F(GraphDragTest, ADragWhoseReleaseWentElsewhereEndsAtTheNextMove) {
    press(at(4));
    move(at(4, 0, -40));
    const int dragged = model().points()[4].value;
    QMouseEvent buttonUp(QEvent::MouseMove, QPointF(local(at(4, 0, 80))), QPointF(dialog->mapToGlobal(at(4, 0, 80))),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&graph(), &buttonUp);
    EXPECT_FALSE(graph().drag().isDragging());
    EXPECT_EQ(model().points()[4].value, dragged);
    EXPECT_EQ(dialog->pointList().listModel().cellText(127, 1), QString::number(dragged));
    EXPECT_FALSE(confinement->confined);
    release(at(4, 0, 80));
    EXPECT_EQ(model().undoHistory().size(), 1u);
}

TEST_F(GraphDragTest, APressInTheGraphTakesAValueStillBeingTyped) {
    PointListCtrl& list = dialog->pointList();
    const QModelIndex cell = list.model()->index(127, 1);
    list.scrollTo(cell);
    list.selectRow(127);
    ASSERT_TRUE(list.openEditorAt(list.visualRect(cell).center()));
    list.editor()->setText("1000");
    press(at(8));
    EXPECT_FALSE(list.isEditing());
    EXPECT_EQ(model().points()[4].value, 1000);
    EXPECT_EQ(graph().drag().dragIndex(), 8);
    release(at(8));
    EXPECT_EQ(model().undoHistory().size(), 2u) << "the typed value, then the grab";
}

TEST_F(GraphDragTest, AFailedPreviewAtTheEndShowsItsMessageAndKeepsTheCurve) {
    QTest::mouseClick(&dialog->previewCheck(), Qt::LeftButton);
    platform.failUsage(VendorPageB, UsageBlockData);
    press(at(4));
    move(QPoint(at(4).x(), dialog->graphRect().top));
    release(at(4));
    EXPECT_EQ(user.messages, std::vector<int>{MsgWriteFailed});
    EXPECT_EQ(model().points()[4].value, FullScale);
    EXPECT_EQ(model().currentTable()[127], FullScale);
}

TEST(GraphDragValue, HeightsMapToValuesWithinTheRangeWhereverThePointerIs) {
    const EdgeRect plot{10, 20, 265, 428};  // 408 pixels high: 20 values a pixel
    const EdgeRect flat{10, 20, 265, 20};
    const struct {
        EdgeRect plot;
        int y;
        int value;
    } rows[] = {
        {plot, 428, 0}, {plot, 427, 20},          {plot, 20, FullScale},      {plot, 21, 8140},
        {plot, 429, 0}, {plot, -5000, FullScale}, {plot, INT_MIN, FullScale}, {plot, INT_MAX, 0},
        {flat, 10, 0},
    };
    for (const auto& r : rows) EXPECT_EQ(valueAtHeight(r.plot, r.y), r.value) << "y " << r.y;
}

}  // namespace
}  // namespace grayden::test
