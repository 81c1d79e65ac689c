#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "RecordingOwner.h"
#include "engine/CurveModel.h"
#include "tests/support/RestoreSetting.h"

namespace grayden {
namespace {

using testing::RecordingOwner;
using testing::restoreSetting;

struct ModelFixture : ::testing::Test {
    RecordingOwner owner;
    CurveModel model{owner, owner.listener()};

    void install(const ToneTable& t) { model.installTable(t); }
};

TEST_F(ModelFixture, StartsWithTheDocumentedDefaults) {
    EXPECT_EQ(model.pointCountIndex(), 2);
    EXPECT_EQ(model.livePointCount(), 9);
    EXPECT_DOUBLE_EQ(model.exponent(), 1.0);
    EXPECT_DOUBLE_EQ(model.panelGamma(), 2.2);
    EXPECT_FALSE(model.previewOn());
    EXPECT_FALSE(model.showOutputCurve());
    EXPECT_FALSE(model.canUndo());
    EXPECT_TRUE(model.filePath().empty());
    EXPECT_EQ(model.windowWidth(), 800);
    EXPECT_EQ(model.windowHeight(), 600);
}

TEST_F(ModelFixture, InstallClampsThenLaysThePointsOnTheTable) {
    ToneTable t = identityTable();
    t[31] = 9000;  // a control point at 9 points
    t[40] = 65535;
    install(t);
    EXPECT_EQ(model.sourceTable()[31], 8160);
    EXPECT_EQ(model.sourceTable()[40], 8160);
    EXPECT_EQ(model.points()[1].level, 31);
    EXPECT_EQ(model.points()[1].value, 8160);
    EXPECT_EQ(model.pointCountIndex(), 2);
    EXPECT_EQ(owner.refreshes, 2);  // one refresh per rebuild
    EXPECT_TRUE(owner.writes.empty());
}

TEST_F(ModelFixture, InstallAtAllLevelsKeepsEveryClampedValue) {
    restoreSetting(model, &ModelSettings::pointCountIndex, 6);
    ToneTable t{};
    for (int i = 0; i < 256; ++i) t[i] = static_cast<std::uint16_t>((i * 977) % 9000);
    install(t);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(model.currentTable()[i], std::min<int>(t[i], 8160)) << i;
}

TEST_F(ModelFixture, SetPointValueRecomputesFromThePointsOnly) {
    install(identityTable());
    const ToneTable before = model.sourceTable();
    ASSERT_TRUE(model.setPointValue(4, 1000));  // level 127
    EXPECT_EQ(model.currentTable()[127], 1000);
    EXPECT_EQ(model.sourceTable(), before);
    EXPECT_EQ(model.points()[4].level, 127);
    EXPECT_FALSE(model.setPointValue(9, 0));  // only 9 points are live
    EXPECT_FALSE(model.setPointValue(-1, 0));
    ASSERT_TRUE(model.setPointValue(0, 99999));  // clamped, never beyond full scale
    EXPECT_EQ(model.points()[0].value, 8160);
}

TEST(ValidateValueText, AcceptsAtoiNumbersInRangeAndNormalises) {
    struct Case {
        const char* in;
        bool ok;
        const char* out;
    };
    const Case cases[] = {
        {"8160", true, "8160"},
        {"8161", false, "8161"},
        {"-1", false, "-1"},
        {" 0100", true, "100"},
        {"12abc", true, "12"},
        {"abc", true, "0"},
        {"", true, "0"},
        {"+7", true, "7"},
        {"99999999999999999999", false, "99999999999999999999"},
        {"-99999999999999999999", false, "-99999999999999999999"},
    };
    for (const Case& c : cases) {
        std::string text = c.in;
        EXPECT_EQ(CurveModel::validateValueText(text), c.ok) << c.in;
        EXPECT_EQ(text, c.out) << c.in;
    }
}

TEST_F(ModelFixture, DefaultCurveSettingPushesInstallsAndPreviews) {
    install(identityTable());
    restoreSetting(model, &ModelSettings::previewOn, true);
    model.applyDefaultCurve(2.2);
    ASSERT_EQ(model.undoHistory().size(), 1u);
    EXPECT_EQ(model.undoHistory().back().table, identityTable());
    EXPECT_TRUE(model.undoHistory().back().effects.sendToMonitor);
    EXPECT_DOUBLE_EQ(model.exponent(), 2.2);
    EXPECT_EQ(model.sourceTable(), makeDefaultCurve(2.2));  // 256-point pass keeps the values
    ASSERT_EQ(owner.writes.size(), 1u);
    EXPECT_EQ(owner.writes[0].which, MonitorTable::Preview);
    EXPECT_EQ(owner.writes[0].table, model.currentTable());
}

TEST_F(ModelFixture, DefaultCurveOneThroughNinePointsIsTheStraightLine) {
    install(makeDefaultCurve(2.2));
    model.applyDefaultCurve(1.0);
    EXPECT_EQ(model.currentTable(), identityTable());
    EXPECT_TRUE(owner.writes.empty());  // preview is off
}

TEST_F(ModelFixture, PointCountChangeResamplesAndUndoRestores) {
    install(makeDefaultCurve(2.2));
    const ToneTable before = model.currentTable();
    ASSERT_TRUE(model.applyPointCount(0));
    EXPECT_EQ(model.pointCountIndex(), 0);
    EXPECT_EQ(model.livePointCount(), 3);
    EXPECT_EQ(model.points()[1].level, 127);
    EXPECT_NE(model.currentTable(), before);  // three points cannot hold the gamma curve
    model.undo();
    EXPECT_EQ(model.pointCountIndex(), 2);
    EXPECT_EQ(model.currentTable(), before);
}

TEST_F(ModelFixture, PointCountOfAllLevelsLeavesTheTable) {
    install(makeDefaultCurve(1.7));
    const ToneTable before = model.currentTable();
    ASSERT_TRUE(model.applyPointCount(6));
    EXPECT_EQ(model.currentTable(), before);
    EXPECT_FALSE(model.applyPointCount(7));
    EXPECT_FALSE(model.applyPointCount(-1));
    EXPECT_EQ(model.undoHistory().size(), 1u);
}

TEST_F(ModelFixture, PanelGammaChangesOnlyTheGamma) {
    install(identityTable());
    const ToneTable before = model.currentTable();
    EXPECT_FALSE(model.applyPanelGamma(2.2));
    EXPECT_TRUE(model.applyPanelGamma(1.8));
    EXPECT_DOUBLE_EQ(model.panelGamma(), 1.8);
    EXPECT_EQ(model.currentTable(), before);
    EXPECT_FALSE(model.canUndo());
    EXPECT_TRUE(owner.writes.empty());
}

TEST_F(ModelFixture, ControlPointLevelsFollowTheCount) {
    install(identityTable());
    EXPECT_TRUE(model.isControlPointLevel(0));
    EXPECT_TRUE(model.isControlPointLevel(223));
    EXPECT_FALSE(model.isControlPointLevel(224));
    restoreSetting(model, &ModelSettings::pointCountIndex, 6);
    model.installTable(model.sourceTable());
    EXPECT_TRUE(model.isControlPointLevel(224));
}

// What each operation tells the owner and asks of the monitor, in order, and the records it makes.
TEST(ModelOperations, TellTheOwnerWhatChangedAndReachTheMonitorInOrder) {
    using Log = std::vector<std::string>;
    const Log rebuilt = {"rebuilt", "rebuilt"};  // an install resamples twice
    const struct {
        const char* name;
        bool preview;
        std::function<void(CurveModel&)> act;
        Log log;
        std::size_t records;
    } cases[] = {
        {"drag",
         true,
         [](CurveModel& m) { m.grabPoint(4), m.dragPoint(4, 100), m.dragPoint(4, 200), m.releasePoint(); },
         {"dragged", "dragged", "edited", "preview"},
         1},
        {"grab of no live point", false, [](CurveModel& m) { m.grabPoint(9); }, {}, 0},
        {"typed value", true, [](CurveModel& m) { m.enterPointValue(127, 500); }, {"edited", "preview"}, 1},
        {"typed value off a point", true, [](CurveModel& m) { m.enterPointValue(128, 500); }, {}, 0},
        {"point count", false, [](CurveModel& m) { m.applyPointCount(0); }, rebuilt, 1},
        {"default curve", true, [](CurveModel& m) { m.applyDefaultCurve(2.2); }, {"rebuilt", "rebuilt", "preview"}, 1},
        {"panel gamma",
         true,
         [](CurveModel& m) { m.applyPanelGamma(1.8), m.applyPanelGamma(1.8); },
         {"panel gamma"},
         0},
        {"output curve", false, [](CurveModel& m) { m.setShowOutputCurve(true); }, {"output curve"}, 0},
        {"read", true, [](CurveModel& m) { m.readFromMonitor(); }, {"read", "rebuilt", "rebuilt", "preview"}, 1},
        {"write", false, [](CurveModel& m) { m.writeToMonitor(); }, {"read", "permanent"}, 1},
        {"preview on", false, [](CurveModel& m) { m.setPreview(true); }, {"read", "preview"}, 1},
        {"preview off", true, [](CurveModel& m) { m.setPreview(false); }, {}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingOwner owner;
        CurveModel model{owner, owner.listener()};
        model.start(identityTable());
        restoreSetting(model, &ModelSettings::previewOn, c.preview);
        owner.log.clear();
        c.act(model);
        EXPECT_EQ(owner.log, c.log);
        EXPECT_EQ(model.undoHistory().size(), c.records);
    }
}

}  // namespace
}  // namespace grayden
