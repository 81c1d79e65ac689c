#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "LinkRig.h"
#include "device/SimulatedMonitorReports.h"
#include "device/TonePacking.h"
#include "engine/GammaCurves.h"

namespace grayden {
namespace {

using testing::LinkRig;
using Steps = std::vector<std::string>;

Steps concat(std::initializer_list<Steps> parts) {
    Steps all;
    for (const Steps& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

const Steps Ready = {"get mode", "get status"};
const Steps ReadyAfterModeWrite = {"get mode", "set mode 12", "get status"};

Steps blockReads(int base) {
    Steps s;
    for (int k = 0; k < 4; ++k) {
        s.push_back("select " + std::to_string(base + k));
        s.push_back("read block");
    }
    return s;
}

Steps blockWrites(int base) {
    Steps s;
    for (int k = 0; k < 4; ++k) {
        s.push_back("select " + std::to_string(base + k));
        s.push_back("pause");
        s.push_back("write block");
    }
    return s;
}

ToneTable quantised(const ToneTable& t) {
    ToneTable q{};
    for (int i = 0; i < LevelCount; ++i) q[i] = unpackToneWord(packToneLevel(t[i]));
    return q;
}

// A table whose every level survives the packing, so comparisons are exact.
ToneTable customTable() { return quantised(MakeDefaultCurve(1.7)); }

void storeCustomTable(LinkRig& rig, const ToneTable& table) {
    MonitorState& s = rig.sim.monitor().state();
    for (int i = 0; i < LevelCount; ++i) s.stored[i] = packToneLevel(table[i]);
    s.gammaCode = CustomTableGammaCode;
}

TEST(MonitorLinkStartUp, FactoryMonitorGivesTheGammaTableWithoutBlockTransfers) {
    LinkRig rig;
    rig.record();
    ASSERT_EQ(rig.link.startUp(), StartupOutcome::Ready);
    EXPECT_EQ(rig.steps(), concat({{"get id"}, ReadyAfterModeWrite, Ready, {"get gamma"}}))
        << "one mode write when the register is not 12, none once it is";
    EXPECT_EQ(rig.model.sourceTable, identityTable()) << "gamma code 4 on a 2.2 panel is the straight line";
    EXPECT_EQ(rig.model.baselineTable, rig.model.sourceTable);
    EXPECT_TRUE(rig.feedback.messages.empty());
    EXPECT_EQ(rig.feedback.busy, (std::vector<bool>{true, false}));
    EXPECT_EQ(rig.channel.boundDevice(), rig.devices.devices().front().get());
}

TEST(MonitorLinkStartUp, GammaCodeUsesTheModelsPanelGamma) {
    LinkRig rig;
    rig.sim.monitor().state().gammaCode = 9;
    rig.model.panelGamma = 1.8;
    ASSERT_EQ(rig.link.startUp(), StartupOutcome::Ready);
    EXPECT_EQ(rig.model.sourceTable, MakeMonitorGammaCurve(0.2 * 9 + 1.4, 1.8));
}

TEST(MonitorLinkStartUp, CustomTableIsReadInFourBlocksAfterASecondReadinessCheck) {
    LinkRig rig;
    storeCustomTable(rig, customTable());
    rig.sim.monitor().state().mode = ReadyMode;
    rig.record();
    ASSERT_EQ(rig.link.startUp(), StartupOutcome::Ready);
    EXPECT_EQ(rig.steps(), concat({{"get id"}, Ready, Ready, {"get gamma"}, Ready, blockReads(0)}));
    EXPECT_EQ(rig.model.sourceTable, customTable());
    EXPECT_EQ(rig.feedback.busy, (std::vector<bool>{true, false, true, false}))
        << "the readiness check and the block read each show it; the nested check adds nothing";
}

TEST(MonitorLinkStartUp, CalibratedMonitorIsRefusedBeforeAnyToneData) {
    LinkRig rig;
    rig.sim.monitor().state().calibrated = true;
    rig.record();
    EXPECT_EQ(rig.link.startUp(), StartupOutcome::Calibrated);
    EXPECT_EQ(rig.feedback.messages, (std::vector<int>{MsgAlreadyCalibrated}));
    EXPECT_EQ(rig.steps(), concat({{"get id"}, ReadyAfterModeWrite}));
    EXPECT_TRUE(rig.feedback.busy.empty()) << "the calibration check shows no busy cursor";
    rig.record();
    EXPECT_FALSE(rig.link.writeBaselineOnClose());
    EXPECT_TRUE(rig.sim.exchanges().empty());
}

// The monitor's status word as it goes over the wire: bit 0 is its calibrated bit.
void setStatusWord(LinkRig& rig, std::uint16_t word) {
    rig.sim.monitor().state().calibrated = (word & 1) != 0;
    rig.sim.monitor().setOtherStatusBits(word);
}

TEST(MonitorLinkStatus, OnlyBitZeroOfTheStatusWordMeansCalibrated) {
    const struct {
        std::uint16_t word;
        bool calibrated;
    } cases[] = {{0x0001, true}, {0x0003, true}, {0x8001, true}, {0x0000, false}, {0x0002, false}, {0xFFFE, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "status word 0x" << std::hex << c.word);
        LinkRig starting;
        setStatusWord(starting, c.word);
        EXPECT_EQ(starting.link.startUp(), c.calibrated ? StartupOutcome::Calibrated : StartupOutcome::Ready);
        const std::vector<int> refusal = {MsgAlreadyCalibrated};
        EXPECT_EQ(starting.feedback.messages, c.calibrated ? refusal : std::vector<int>{});

        // The same word while editing: a transfer stops quietly after the readiness check, or goes ahead.
        LinkRig editing;
        ASSERT_EQ(editing.link.startUp(), StartupOutcome::Ready);
        setStatusWord(editing, c.word);
        editing.record();
        EXPECT_EQ(editing.link.writeTableBlocks(customTable(), TableBank::Preview), !c.calibrated);
        EXPECT_TRUE(editing.feedback.messages.empty());
        EXPECT_EQ(editing.steps(), c.calibrated ? Ready : concat({Ready, blockWrites(128)}));
    }
}

TEST(MonitorLinkStartUp, CalibrationDuringStartUpStillSaysCalibrated) {
    LinkRig rig;
    rig.channel.calibrateAfterReads = 3;  // after id, mode and status of the check
    EXPECT_EQ(rig.link.startUp(), StartupOutcome::Calibrated);
    EXPECT_EQ(rig.feedback.messages, (std::vector<int>{MsgAlreadyCalibrated}));
    EXPECT_FALSE(rig.link.writeBaselineOnClose());
}

TEST(MonitorLinkStartUp, FailedFirstReadEndsStartUpAndNothingIsWrittenOnClose) {
    LinkRig rig;
    rig.sim.failUsage(VendorPageA, UsageGammaCode);
    EXPECT_EQ(rig.link.startUp(), StartupOutcome::FirstReadFailed);
    EXPECT_EQ(rig.feedback.messages, (std::vector<int>{MsgReadFailed}));
    rig.record();
    EXPECT_FALSE(rig.link.writeBaselineOnClose());
    EXPECT_TRUE(rig.sim.exchanges().empty());
    EXPECT_EQ(rig.sim.monitor().state().gammaCode, 4) << "the monitor keeps its own table";
}

TEST(MonitorLinkStartUp, NoDeviceOrNoMonitorShowsTheSameMessage) {
    LinkRig empty;
    empty.sim.unplug(empty.sim.monitorIndex());
    EXPECT_EQ(empty.link.startUp(), StartupOutcome::NoMonitor);
    EXPECT_EQ(empty.feedback.messages, (std::vector<int>{MsgNoMonitor}));

    LinkRig others;
    others.sim.addDiscoveryDevices();
    others.sim.unplug(others.sim.monitorIndex());
    EXPECT_EQ(others.link.startUp(), StartupOutcome::NoMonitor);
    EXPECT_EQ(others.feedback.messages, (std::vector<int>{MsgNoMonitor}));
    EXPECT_EQ(others.channel.boundDevice(), nullptr) << "no binding is left on a device that is not the monitor";
}

TEST(MonitorLinkDiscovery, OnlyTheFirstSupportedMonitorIsChosenAndOnlyPlausibleDevicesAreAsked) {
    LinkRig rig;
    rig.sim.addDiscoveryDevices();
    rig.sim.addDevice(factoryMonitorState());  // a second monitor, after the first
    rig.record();
    ASSERT_EQ(rig.link.startUp(), StartupOutcome::Ready);
    // 0 cannot be opened, 1 has an unaccepted vendor (closed at discovery), 2 has release 29999,
    // 4 has two collections of which only the second carries a model name.
    const Steps steps = rig.stepsWithDevice();
    EXPECT_EQ(Steps(steps.begin(), steps.begin() + 3), (Steps{"3: get id", "4: get id", "5: get id"}));
    for (const std::string& s : steps) {
        EXPECT_TRUE(s.starts_with("3: ") || s.starts_with("4: ") || s.starts_with("5: ")) << s;
    }
    std::vector<std::string> listed;
    for (const auto& d : rig.devices.devices()) listed.push_back(d->devicePath);
    EXPECT_EQ(listed, (std::vector<std::string>{"simulated:release-29999", "simulated:wrong-model",
                                                "simulated:two-collections", "simulated:two-collections",
                                                "simulated:monitor", "simulated:device6"}));
    EXPECT_EQ(rig.channel.boundDevice()->devicePath, "simulated:monitor");
    EXPECT_TRUE(rig.feedback.messages.empty());
}

TEST(MonitorLinkDiscovery, VendorReportsInTheSecondCollectionAreFoundAndSpokenTo) {
    LinkRig rig;
    rig.sim.setDescriptor(rig.sim.monitorIndex(), simulatedTwoCollectionDescriptor());
    storeCustomTable(rig, customTable());
    rig.record();
    ASSERT_EQ(rig.link.startUp(), StartupOutcome::Ready);
    EXPECT_TRUE(rig.feedback.messages.empty()) << "the collection without a model name is passed over quietly";
    ASSERT_EQ(rig.devices.devices().size(), 2u);
    EXPECT_EQ(rig.devices.devices()[0]->devicePath, rig.devices.devices()[1]->devicePath);
    EXPECT_EQ(rig.channel.boundDevice(), rig.devices.devices()[1].get());
    EXPECT_EQ(rig.model.sourceTable, customTable());
    EXPECT_EQ(rig.steps(), concat({{"get id"}, ReadyAfterModeWrite, Ready, {"get gamma"}, Ready, blockReads(0)}));

    const ToneTable written = quantised(MakeDefaultCurve(2.6));
    ASSERT_TRUE(rig.link.writeTableBlocks(written, TableBank::Stored));
    ToneTable back{};
    ASSERT_TRUE(rig.link.readTableBlocks(back, TableBank::Stored));
    EXPECT_EQ(back, written);
    EXPECT_EQ(rig.sim.monitor().state().stored[255], packToneLevel(written[255]));
    EXPECT_EQ(rig.sim.openHandleCount(), 2u);
    rig.devices.clearDevices();
    EXPECT_EQ(rig.sim.openHandleCount(), 0u);
}

TEST(MonitorLinkDiscovery, UnreadableIdentificationIsReportedAndTheSearchGoesOn) {
    LinkRig rig;
    rig.sim.addDiscoveryDevices();
    rig.sim.failExchange(1);  // the wrong-model device's identification
    ASSERT_EQ(rig.link.startUp(), StartupOutcome::Ready);
    EXPECT_EQ(rig.feedback.messages, (std::vector<int>{MsgReadFailed}));
}

TEST(MonitorLinkDiscovery, ModelNameRules) {
    const struct {
        std::string name;
        bool supported;
    } cases[] = {
        {"QT440", true},  {"QT440   ", true}, {"QT440\t\v\f", true}, {"QT440\r\n", true},
        {"qt440", false}, {"QT44", false},    {"QT4400", false},     {" QT440", false},
        {"", false},
    };
    for (const auto& c : cases) {
        LinkRig rig;
        rig.sim.monitor().state().modelName = c.name;
        EXPECT_EQ(rig.link.startUp() == StartupOutcome::Ready, c.supported) << '"' << c.name << '"';
    }
    EXPECT_TRUE(MonitorLink::isSupportedModelName("QT440"));
    EXPECT_FALSE(MonitorLink::isSupportedModelName("QT440 "));
}

TEST(MonitorLinkDiscovery, ReleaseThirtyThousandIsExaminedAndTwentyNineNineNineNineIsNot) {
    for (const std::uint16_t release : {29999, 30000, 65535}) {
        LinkRig rig;
        rig.sim.monitor().state().releaseNumber = release;
        ASSERT_TRUE(rig.devices.discoverDevices());
        rig.record();
        EXPECT_EQ(rig.link.findSupportedMonitor(), release >= 30000) << release;
        EXPECT_EQ(rig.steps().empty(), release < 30000) << "the model name is read only for a plausible release";
    }
}

class MonitorLinkReady : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(rig.link.startUp(), StartupOutcome::Ready);
        rig.model.InstallSourceTable();
        rig.feedback.busy.clear();
        rig.record();
    }
    MonitorState& monitor() { return rig.sim.monitor().state(); }
    LinkRig rig;
};

TEST_F(MonitorLinkReady, WriteSendsFourSelectionsEachFollowedByAPausedBlockWrite) {
    const ToneTable table = MakeDefaultCurve(2.4);
    ASSERT_TRUE(rig.link.writeTableBlocks(table, TableBank::Preview));
    EXPECT_EQ(rig.steps(), concat({Ready, blockWrites(128)}));
    for (int i = 0; i < LevelCount; ++i) EXPECT_EQ(monitor().preview[i], MonitorLink::packLevel(table[i])) << i;
    EXPECT_EQ(monitor().gammaCode, 4) << "a preview leaves the stored table alone";
    EXPECT_EQ(rig.feedback.busy, (std::vector<bool>{true, false}));

    rig.record();
    ASSERT_TRUE(rig.link.writeTableBlocks(table, TableBank::Stored));
    EXPECT_EQ(rig.steps(), concat({Ready, blockWrites(0)}));
    EXPECT_EQ(monitor().gammaCode, CustomTableGammaCode);
    ToneTable back{};
    ASSERT_TRUE(rig.link.readMonitorTable(back, TableBank::Stored));
    EXPECT_EQ(back, quantised(table));
}

// Four block writes, each after the real one-millisecond pause (a lower bound only).
TEST_F(MonitorLinkReady, TableWriteSpendsAtLeastFourMillisecondsPausing) {
    const auto began = std::chrono::steady_clock::now();
    ASSERT_TRUE(rig.link.writeTableBlocks(MakeDefaultCurve(2.4), TableBank::Preview));
    EXPECT_GE(std::chrono::steady_clock::now() - began, std::chrono::milliseconds(4));
}

TEST_F(MonitorLinkReady, ModeChangedBehindTheEditorsBackIsSetOnceBeforeTheStatusRead) {
    monitor().mode = 3;
    ToneTable t{};
    ASSERT_TRUE(rig.link.readTableBlocks(t, TableBank::Preview));
    EXPECT_EQ(rig.steps(), concat({ReadyAfterModeWrite, blockReads(128)}));
    EXPECT_EQ(t, identityTable());
}

TEST_F(MonitorLinkReady, CalibratedMonitorMakesEveryTransferFailQuietly) {
    monitor().calibrated = true;
    ToneTable t = rig.model.currentTable;
    EXPECT_FALSE(rig.link.readMonitorTable(t, TableBank::Stored));
    EXPECT_FALSE(rig.link.readTableBlocks(t, TableBank::Preview));
    EXPECT_FALSE(rig.link.writeTableBlocks(t, TableBank::Preview));
    EXPECT_FALSE(rig.link.writeBaselineOnClose());
    EXPECT_TRUE(rig.feedback.messages.empty());
    EXPECT_EQ(rig.steps(), concat({Ready, Ready, Ready, Ready}));
    EXPECT_EQ(t, rig.model.currentTable);
}

TEST_F(MonitorLinkReady, UnpluggedMonitorFailsWithAMessage) {
    rig.sim.unplug(rig.sim.monitorIndex());
    EXPECT_FALSE(rig.link.writeTableBlocks(rig.model.currentTable, TableBank::Preview));
    EXPECT_EQ(rig.feedback.messages, (std::vector<int>{MsgReadFailed}));
}

TEST_F(MonitorLinkReady, ReadFromMonitorInstallsTheStoredTableAndPreviewsIt) {
    storeCustomTable(rig, customTable());
    rig.model.previewOn = true;
    ASSERT_TRUE(rig.link.readFromMonitor());
    EXPECT_EQ(rig.model.undoHistory.size(), 1u);
    EXPECT_EQ(rig.model.undoHistory.back().table, identityTable());
    EXPECT_TRUE(rig.model.undoHistory.back().sendToMonitor);
    EXPECT_EQ(rig.model.sourceTable, customTable());
    for (int i = 0; i < LevelCount; ++i) EXPECT_EQ(monitor().preview[i], packToneLevel(rig.model.currentTable[i]));
    EXPECT_EQ(rig.steps(), concat({Ready, {"get gamma"}, Ready, blockReads(0), Ready, blockWrites(128)}));

    // Undo sends the earlier table to the preview, through the model's owner.
    rig.record();
    rig.model.Undo();
    EXPECT_EQ(rig.steps(), concat({Ready, blockWrites(128)}));
    EXPECT_EQ(monitor().preview[100], packToneLevel(3200));
}

TEST_F(MonitorLinkReady, WriteToMonitorWithAnUnchangedTableStillWritesButItsUndoSendsNothing) {
    ASSERT_TRUE(rig.link.writeToMonitor());
    EXPECT_EQ(rig.steps(), concat({Ready, {"get gamma"}, Ready, blockWrites(0)}))
        << "gamma code 4: the preview table is computed, not read";
    ASSERT_EQ(rig.model.undoHistory.size(), 1u);
    EXPECT_FALSE(rig.model.undoHistory.back().sendToMonitor);
    EXPECT_TRUE(rig.model.undoHistory.back().restoresBaseline);
    EXPECT_EQ(rig.feedback.busy, (std::vector<bool>{true, false}));
    rig.record();
    rig.model.Undo();
    EXPECT_TRUE(rig.sim.exchanges().empty());
}

TEST_F(MonitorLinkReady, WriteToMonitorOfAChangedTableCanBeUndoneOnTheMonitor) {
    const ToneTable before = rig.model.baselineTable;
    ASSERT_TRUE(rig.model.SetPointValue(4, 2000));
    ASSERT_TRUE(rig.link.writeToMonitor());
    EXPECT_EQ(rig.model.baselineTable, rig.model.currentTable);
    EXPECT_EQ(monitor().stored[128], packToneLevel(rig.model.currentTable[128]));
    rig.record();
    rig.model.Undo();
    EXPECT_EQ(rig.steps(), concat({Ready, blockWrites(0)}));
    EXPECT_EQ(rig.model.baselineTable, before);
    EXPECT_EQ(monitor().stored[128], packToneLevel(before[128]));
}

TEST_F(MonitorLinkReady, PreviewSwitchedOnRemembersWhatTheMonitorShowed) {
    for (int i = 0; i < LevelCount; ++i) monitor().preview[i] = packToneLevel(8160 - 32 * i);
    ASSERT_TRUE(rig.model.SetPointValue(4, 2000));
    rig.model.previewOn = true;
    ASSERT_TRUE(rig.link.previewSwitchedOn());
    EXPECT_EQ(rig.steps(), concat({Ready, blockReads(128), Ready, blockWrites(128)}));
    ASSERT_EQ(rig.model.undoHistory.size(), 1u);
    EXPECT_EQ(rig.model.undoHistory.back().table[0], 8160);
    EXPECT_FALSE(rig.model.undoHistory.back().rebuild);
    EXPECT_EQ(monitor().preview[128], packToneLevel(rig.model.currentTable[128]));
}

TEST_F(MonitorLinkReady, FailedReadWhenPreviewIsSwitchedOnPushesAndWritesNothing) {
    rig.sim.failUsage(VendorPageB, UsageBlockData);
    rig.model.previewOn = true;
    EXPECT_FALSE(rig.link.previewSwitchedOn());
    EXPECT_TRUE(rig.model.undoHistory.empty());
    EXPECT_EQ(rig.feedback.messages, (std::vector<int>{MsgReadFailed}));
    EXPECT_EQ(rig.steps(), concat({Ready, {"select 128", "read block failed"}}));
}

TEST_F(MonitorLinkReady, ModelWritesGoToTheBankTheyName) {
    ASSERT_TRUE(rig.feedback.writeTableToMonitor(MakeDefaultCurve(2.0), MonitorTable::Permanent));
    ASSERT_TRUE(rig.feedback.writeTableToMonitor(MakeDefaultCurve(2.0), MonitorTable::Preview));
    EXPECT_EQ(rig.steps(), concat({Ready, blockWrites(0), Ready, blockWrites(128)}));
}

TEST_F(MonitorLinkReady, ClosingWritesTheBaselineBack) {
    monitor().preview.fill(0);
    ASSERT_TRUE(rig.model.SetPointValue(4, 2000));
    ASSERT_TRUE(rig.link.writeBaselineOnClose());
    EXPECT_EQ(rig.steps(), concat({Ready, blockWrites(0)}));
    for (int i = 0; i < LevelCount; ++i) EXPECT_EQ(monitor().stored[i], packToneLevel(rig.model.baselineTable[i]));
}

TEST(MonitorLinkPacking, StaticMembersUseTheMonitorsPacking) {
    EXPECT_EQ(MonitorLink::packLevel(1025), 0x0A01);
    EXPECT_EQ(MonitorLink::unpackLevel(0x0A01), 1026);
}

}  // namespace
}  // namespace grayden
