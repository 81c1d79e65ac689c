#include <gtest/gtest.h>

#include "RecordingOwner.h"
#include "engine/CurveModel.h"
#include "tests/support/RestoreSetting.h"

namespace grayden {
namespace {

using testing::RecordingOwner;
using testing::restoreSetting;

ToneTable filled(std::uint16_t v) {
    ToneTable t{};
    t.fill(v);
    return t;
}

struct UndoFixture : ::testing::Test {
    RecordingOwner owner;
    CurveModel model{owner, owner.listener()};
    void SetUp() override { model.start(identityTable()); }
};

TEST_F(UndoFixture, HistoryTopsOutAt257AndDropsTheOldest) {
    for (int i = 0; i < 300; ++i) model.pushUndo(UndoAction::Edit, filled(static_cast<std::uint16_t>(i)));
    ASSERT_EQ(model.undoHistory().size(), 257u);
    EXPECT_EQ(model.undoHistory().front().table[0], 300 - 257);
    EXPECT_EQ(model.undoHistory().back().table[0], 299);
    for (int i = 0; i < 257; ++i) model.undo();
    EXPECT_FALSE(model.canUndo());
    const ToneTable after = model.currentTable();
    model.undo();  // the 258th does nothing
    EXPECT_EQ(model.currentTable(), after);
}

TEST_F(UndoFixture, RebuildRecordReinstallsAndPreviewsTheSourceTable) {
    restoreSetting(model, &ModelSettings::pointCountIndex, 0);
    restoreSetting(model, &ModelSettings::previewOn, true);
    model.pushUndo(UndoAction::Edit, makeDefaultCurve(2.2));
    restoreSetting(model, &ModelSettings::pointCountIndex, 5);
    model.undo();
    EXPECT_EQ(model.pointCountIndex(), 0);  // the index saved with the record
    EXPECT_EQ(model.livePointCount(), 3);
    ASSERT_EQ(owner.writes.size(), 1u);
    EXPECT_EQ(owner.writes[0].which, MonitorTable::Preview);
    // The source table is what goes out, not the curve resampled at three points.
    EXPECT_EQ(owner.writes[0].table, model.sourceTable());
    EXPECT_NE(model.sourceTable(), model.currentTable());
}

TEST_F(UndoFixture, BaselineRecordRestoresBaselineAndLeavesTheCurve) {
    const ToneTable curve = model.currentTable();
    model.pushUndo(UndoAction::WriteChangedMonitor, filled(100));
    ASSERT_NE(model.baselineTable(), filled(100));
    model.undo();
    EXPECT_EQ(model.baselineTable(), filled(100));
    EXPECT_EQ(model.currentTable(), curve);
    ASSERT_EQ(owner.writes.size(), 1u);
    EXPECT_EQ(owner.writes[0].which, MonitorTable::Permanent);
    EXPECT_EQ(owner.writes[0].table, filled(100));

    // An unchanged Write to Monitor sends nothing back.
    model.pushUndo(UndoAction::WriteToMonitor, filled(200));
    model.undo();
    EXPECT_EQ(model.baselineTable(), filled(200));
    EXPECT_EQ(owner.writes.size(), 1u);
}

TEST_F(UndoFixture, PreviewSwitchRecordGivesTheOldPreviewBackWithoutTouchingTheCurve) {
    const ToneTable curve = model.currentTable();
    const auto points = model.points();
    model.pushUndo(UndoAction::PreviewOn, filled(1234));
    model.undo();
    EXPECT_EQ(model.currentTable(), curve);
    EXPECT_EQ(model.points()[4].value, points[4].value);
    ASSERT_EQ(owner.writes.size(), 1u);
    EXPECT_EQ(owner.writes[0].table, filled(1234));
    EXPECT_EQ(owner.writes[0].which, MonitorTable::Preview);
}

TEST_F(UndoFixture, DraggedPointIsUndoneToTheTableBeforeThePress) {
    const ToneTable before = model.currentTable();
    ASSERT_TRUE(model.grabPoint(3));
    ASSERT_TRUE(model.dragPoint(3, 8000));
    model.undo();
    EXPECT_EQ(model.currentTable(), before);
    EXPECT_TRUE(owner.writes.empty());
}

TEST_F(UndoFixture, UndoGivesBackTheNewestRecordFirst) {
    model.pushUndo(UndoAction::Edit, filled(1000));
    model.pushUndo(UndoAction::Edit, filled(2000));
    model.undo();
    EXPECT_EQ(model.sourceTable(), filled(2000));
    EXPECT_EQ(model.undoHistory().size(), 1u);
    model.undo();
    EXPECT_EQ(model.sourceTable(), filled(1000));
}

TEST_F(UndoFixture, ClearUndoEmptiesTheHistory) {
    model.pushUndo(UndoAction::Edit, filled(1));
    model.pushUndo(UndoAction::Edit, filled(2));
    model.clearUndo();
    EXPECT_FALSE(model.canUndo());
}

}  // namespace
}  // namespace grayden
