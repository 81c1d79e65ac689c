// The editor's monitor commands over the session: what they do to the curve model, which
// messages they show, and the exchanges they make.
#include <gtest/gtest.h>

#include <vector>

#include "device/TonePacking.h"
#include "device/simulated/SimulatedMonitorReports.h"
#include "engine/GammaCurves.h"
#include "resources/StringIds.h"
#include "tests/editor/CommandsRig.h"
#include "tests/support/RestoreSetting.h"

namespace grayden {
namespace {

using namespace grayden::testing;

TEST(MonitorCommandsStartUp, FactoryMonitorGivesTheGammaTableWithoutBlockTransfers) {
    CommandsRig rig;
    rig.record();
    ASSERT_EQ(rig.startUp(), StartupOutcome::Ready);
    EXPECT_EQ(rig.steps(), concat({{"get id"}, ReadyAfterModeWrite, Ready, {"get gamma"}}))
        << "one mode write when the register is not 12, none once it is";
    EXPECT_EQ(rig.model.sourceTable(), identityTable()) << "gamma code 4 on a 2.2 panel is the straight line";
    EXPECT_EQ(rig.model.baselineTable(), rig.model.sourceTable());
    EXPECT_TRUE(rig.messages.empty());
    EXPECT_EQ(rig.feedback.busy, (std::vector<bool>{true, false}));
    EXPECT_EQ(rig.channel.boundDevice(), rig.devices.devices().front().get());
}

TEST(MonitorCommandsStartUp, GammaCodeUsesTheModelsPanelGamma) {
    CommandsRig rig;
    rig.sim.monitor().state().gammaCode = 9;
    restoreSetting(rig.model, &ModelSettings::panelGamma, 1.8);
    ASSERT_EQ(rig.startUp(), StartupOutcome::Ready);
    EXPECT_EQ(rig.model.sourceTable(), makeMonitorGammaCurve(0.2 * 9 + 1.4, 1.8));
}

TEST(MonitorCommandsStartUp, CustomTableIsReadInFourBlocksAfterASecondReadinessCheck) {
    CommandsRig rig;
    storeCustomTable(rig, customTable());
    rig.sim.monitor().state().mode = ReadyMode;
    rig.record();
    ASSERT_EQ(rig.startUp(), StartupOutcome::Ready);
    EXPECT_EQ(rig.steps(), concat({{"get id"}, Ready, Ready, {"get gamma"}, Ready, blockReads(0)}));
    EXPECT_EQ(rig.model.sourceTable(), customTable());
    EXPECT_EQ(rig.feedback.busy, (std::vector<bool>{true, false, true, false}))
        << "the readiness check and the block read each show it; the nested check adds nothing";
}

TEST(MonitorCommandsStartUp, CalibratedMonitorIsRefusedBeforeAnyToneData) {
    CommandsRig rig;
    rig.sim.monitor().state().calibrated = true;
    rig.record();
    EXPECT_EQ(rig.startUp(), StartupOutcome::Calibrated);
    EXPECT_EQ(rig.messages, (std::vector<int>{MsgAlreadyCalibrated}));
    EXPECT_EQ(rig.steps(), concat({{"get id"}, ReadyAfterModeWrite}));
    EXPECT_TRUE(rig.feedback.busy.empty()) << "the calibration check shows no busy cursor";
    rig.record();
    EXPECT_FALSE(rig.writeBaselineOnClose());
    EXPECT_TRUE(rig.sim.exchanges().empty());
}

TEST(MonitorCommandsStatus, OnlyBitZeroOfTheStatusWordMeansCalibrated) {
    const struct {
        std::uint16_t word;
        bool calibrated;
    } cases[] = {{0x0001, true}, {0x0003, true}, {0x8001, true}, {0x0000, false}, {0x0002, false}, {0xFFFE, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "status word 0x" << std::hex << c.word);
        CommandsRig starting;
        setStatusWord(starting, c.word);
        EXPECT_EQ(starting.startUp(), c.calibrated ? StartupOutcome::Calibrated : StartupOutcome::Ready);
        const std::vector<int> refusal = {MsgAlreadyCalibrated};
        EXPECT_EQ(starting.messages, c.calibrated ? refusal : std::vector<int>{});

        // The same word while editing: a transfer stops quietly after the readiness check, or goes ahead.
        CommandsRig editing;
        ASSERT_EQ(editing.startUp(), StartupOutcome::Ready);
        setStatusWord(editing, c.word);
        editing.record();
        EXPECT_EQ(editing.commands.writeTable(MonitorTable::Preview, customTable()), !c.calibrated);
        EXPECT_TRUE(editing.messages.empty());
        EXPECT_EQ(editing.steps(), c.calibrated ? Ready : concat({Ready, blockWrites(128)}));
    }
}

TEST(MonitorCommandsStartUp, CalibrationDuringStartUpStillSaysCalibrated) {
    CommandsRig rig;
    rig.channel.calibrateAfterReads = 3;  // after id, mode and status of the check
    EXPECT_EQ(rig.startUp(), StartupOutcome::Calibrated);
    EXPECT_EQ(rig.messages, (std::vector<int>{MsgAlreadyCalibrated}));
    EXPECT_FALSE(rig.writeBaselineOnClose());
}

TEST(MonitorCommandsStartUp, FailedFirstReadEndsStartUpAndNothingIsWrittenOnClose) {
    CommandsRig rig;
    rig.sim.failUsage(VendorPageA, UsageGammaCode);
    EXPECT_EQ(rig.startUp(), StartupOutcome::FirstReadFailed);
    EXPECT_EQ(rig.messages, (std::vector<int>{MsgReadFailed}));
    rig.record();
    EXPECT_FALSE(rig.writeBaselineOnClose());
    EXPECT_TRUE(rig.sim.exchanges().empty());
    EXPECT_EQ(rig.sim.monitor().state().gammaCode, 4) << "the monitor keeps its own table";
}

TEST(MonitorCommandsStartUp, NoDeviceOrNoMonitorShowsTheSameMessage) {
    CommandsRig empty;
    empty.sim.unplug(empty.sim.monitorIndex());
    EXPECT_EQ(empty.startUp(), StartupOutcome::NoMonitor);
    EXPECT_EQ(empty.messages, (std::vector<int>{MsgNoMonitor}));

    CommandsRig others;
    others.sim.addDiscoveryDevices();
    others.sim.unplug(others.sim.monitorIndex());
    EXPECT_EQ(others.startUp(), StartupOutcome::NoMonitor);
    EXPECT_EQ(others.messages, (std::vector<int>{MsgNoMonitor}));
    EXPECT_EQ(others.channel.boundDevice(), nullptr) << "no binding is left on a device that is not the monitor";
}

TEST(MonitorCommandsDiscovery, UnreadableIdentificationIsReportedAndTheSearchGoesOn) {
    CommandsRig rig;
    rig.sim.addDiscoveryDevices();
    rig.sim.failExchange(1);  // the wrong-model device's identification
    ASSERT_EQ(rig.startUp(), StartupOutcome::Ready);
    EXPECT_EQ(rig.messages, (std::vector<int>{MsgReadFailed}));
}

class MonitorCommandsReady : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(rig.startUp(), StartupOutcome::Ready);
        rig.model.installTable(rig.model.sourceTable());
        rig.feedback.busy.clear();
        rig.record();
    }
    MonitorState& monitor() { return rig.sim.monitor().state(); }
    CommandsRig rig;
};

TEST_F(MonitorCommandsReady, CalibratedMonitorMakesEveryTransferFailQuietly) {
    monitor().calibrated = true;
    const CurveModel before = rig.model;
    EXPECT_FALSE(rig.model.writeToMonitor());
    EXPECT_FALSE(rig.model.setPreview(true));
    EXPECT_FALSE(rig.commands.writeTable(MonitorTable::Preview, rig.model.currentTable()));
    EXPECT_FALSE(rig.writeBaselineOnClose());
    EXPECT_TRUE(rig.messages.empty());
    EXPECT_EQ(rig.steps(), concat({Ready, Ready, Ready, Ready}));
    EXPECT_EQ(rig.model.currentTable(), before.currentTable());
    EXPECT_EQ(rig.model.baselineTable(), before.baselineTable());
    EXPECT_TRUE(rig.model.undoHistory().empty());
}

TEST_F(MonitorCommandsReady, UnpluggedMonitorFailsWithAMessage) {
    rig.sim.unplug(rig.sim.monitorIndex());
    EXPECT_FALSE(rig.commands.writeTable(MonitorTable::Preview, rig.model.currentTable()));
    EXPECT_EQ(rig.messages, (std::vector<int>{MsgReadFailed}));
}

TEST_F(MonitorCommandsReady, ReleasedDevicesFailLikeAnUnboundChannelWithTheReadMessage) {
    rig.commands.release();
    EXPECT_FALSE(rig.commands.writeTable(MonitorTable::Permanent, rig.model.currentTable()));
    EXPECT_FALSE(rig.writeBaselineOnClose());
    EXPECT_EQ(rig.messages, (std::vector<int>{MsgReadFailed, MsgReadFailed}));
    EXPECT_TRUE(rig.sim.exchanges().empty());
}

TEST_F(MonitorCommandsReady, AFailedWriteShowsTheWriteMessage) {
    rig.sim.failUsage(VendorPageB, UsageBlockSelect);
    EXPECT_FALSE(rig.commands.writeTable(MonitorTable::Preview, rig.model.currentTable()));
    EXPECT_EQ(rig.messages, (std::vector<int>{MsgWriteFailed}));
    EXPECT_EQ(rig.steps(), concat({Ready, {"select 128 failed"}}));
}

// Another program's transfer holding the monitor past the wait: every block transfer is refused
// with the busy message before it sends anything.
TEST_F(MonitorCommandsReady, AMonitorBusyWithAnotherProgramShowsTheBusyMessage) {
    rig.sim.holdLockElsewhere(true);
    const MonitorState before = monitor();
    EXPECT_FALSE(rig.commands.writeTable(MonitorTable::Preview, rig.model.currentTable()));
    EXPECT_FALSE(rig.model.setPreview(true));
    EXPECT_FALSE(rig.writeBaselineOnClose());
    EXPECT_EQ(rig.messages, (std::vector<int>{MsgMonitorBusy, MsgMonitorBusy, MsgMonitorBusy}));
    EXPECT_TRUE(rig.sim.exchanges().empty());
    EXPECT_EQ(monitor(), before);
}

TEST_F(MonitorCommandsReady, ReadFromMonitorInstallsTheStoredTableAndPreviewsIt) {
    storeCustomTable(rig, customTable());
    restoreSetting(rig.model, &ModelSettings::previewOn, true);
    ASSERT_TRUE(rig.model.readFromMonitor());
    EXPECT_EQ(rig.model.undoHistory().size(), 1u);
    EXPECT_EQ(rig.model.undoHistory().back().table, identityTable());
    EXPECT_TRUE(rig.model.undoHistory().back().effects.sendToMonitor);
    EXPECT_EQ(rig.model.sourceTable(), customTable());
    for (int i = 0; i < LevelCount; ++i) EXPECT_EQ(monitor().preview[i], packToneLevel(rig.model.currentTable()[i]));
    EXPECT_EQ(rig.steps(), concat({Ready, {"get gamma"}, Ready, blockReads(0), Ready, blockWrites(128)}));

    // Undo sends the earlier table to the preview, through the model's owner.
    rig.record();
    rig.model.undo();
    EXPECT_EQ(rig.steps(), concat({Ready, blockWrites(128)}));
    EXPECT_EQ(monitor().preview[100], packToneLevel(3200));
}

TEST_F(MonitorCommandsReady, WriteToMonitorWithAnUnchangedTableStillWritesButItsUndoSendsNothing) {
    ASSERT_TRUE(rig.model.writeToMonitor());
    EXPECT_EQ(rig.steps(), concat({Ready, {"get gamma"}, Ready, blockWrites(0)}))
        << "gamma code 4: the preview table is computed, not read";
    ASSERT_EQ(rig.model.undoHistory().size(), 1u);
    EXPECT_FALSE(rig.model.undoHistory().back().effects.sendToMonitor);
    EXPECT_TRUE(rig.model.undoHistory().back().effects.restoresBaseline);
    EXPECT_EQ(rig.feedback.busy, (std::vector<bool>{true, false}));
    rig.record();
    rig.model.undo();
    EXPECT_TRUE(rig.sim.exchanges().empty());
}

TEST_F(MonitorCommandsReady, WriteToMonitorOfAChangedTableCanBeUndoneOnTheMonitor) {
    const ToneTable before = rig.model.baselineTable();
    ASSERT_TRUE(rig.model.setPointValue(4, 2000));
    ASSERT_TRUE(rig.model.writeToMonitor());
    EXPECT_EQ(rig.model.baselineTable(), rig.model.currentTable());
    EXPECT_EQ(monitor().stored[128], packToneLevel(rig.model.currentTable()[128]));
    rig.record();
    rig.model.undo();
    EXPECT_EQ(rig.steps(), concat({Ready, blockWrites(0)}));
    EXPECT_EQ(rig.model.baselineTable(), before);
    EXPECT_EQ(monitor().stored[128], packToneLevel(before[128]));
}

TEST_F(MonitorCommandsReady, PreviewSwitchedOnRemembersWhatTheMonitorShowed) {
    for (int i = 0; i < LevelCount; ++i) monitor().preview[i] = packToneLevel(8160 - 32 * i);
    ASSERT_TRUE(rig.model.setPointValue(4, 2000));
    ASSERT_TRUE(rig.model.setPreview(true));
    EXPECT_EQ(rig.steps(), concat({Ready, blockReads(128), Ready, blockWrites(128)}));
    ASSERT_EQ(rig.model.undoHistory().size(), 1u);
    EXPECT_EQ(rig.model.undoHistory().back().table[0], 8160);
    EXPECT_FALSE(rig.model.undoHistory().back().effects.rebuild);
    EXPECT_EQ(monitor().preview[128], packToneLevel(rig.model.currentTable()[128]));
}

TEST_F(MonitorCommandsReady, FailedReadWhenPreviewIsSwitchedOnPushesAndWritesNothing) {
    rig.sim.failUsage(VendorPageB, UsageBlockData);
    EXPECT_FALSE(rig.model.setPreview(true));
    EXPECT_TRUE(rig.model.undoHistory().empty());
    EXPECT_EQ(rig.messages, (std::vector<int>{MsgReadFailed}));
    EXPECT_EQ(rig.steps(), concat({Ready, {"select 128", "read block failed"}}));
}

TEST_F(MonitorCommandsReady, ModelWritesGoToTheBankTheyName) {
    ASSERT_TRUE(rig.commands.writeTable(MonitorTable::Permanent, makeDefaultCurve(2.0)));
    ASSERT_TRUE(rig.commands.writeTable(MonitorTable::Preview, makeDefaultCurve(2.0)));
    EXPECT_EQ(rig.steps(), concat({Ready, blockWrites(0), Ready, blockWrites(128)}));
}

TEST_F(MonitorCommandsReady, ClosingWritesTheBaselineBack) {
    monitor().preview.fill(0);
    ASSERT_TRUE(rig.model.setPointValue(4, 2000));
    ASSERT_TRUE(rig.writeBaselineOnClose());
    EXPECT_EQ(rig.steps(), concat({Ready, blockWrites(0)}));
    for (int i = 0; i < LevelCount; ++i) EXPECT_EQ(monitor().stored[i], packToneLevel(rig.model.baselineTable()[i]));
}

}  // namespace
}  // namespace grayden
