#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <vector>

#include "FakeHidPlatform.h"
#include "device/TonePacking.h"
#include "device/simulated/SimulatedMonitorReports.h"
#include "engine/GammaCurves.h"
#include "tests/support/SessionRig.h"

namespace grayden {
namespace {

using namespace grayden::testing;

TEST(MonitorSessionConnect, FactoryMonitorIsFoundAndItsTableComputedFromTheGammaCode) {
    SessionRig rig;
    rig.record();
    ASSERT_EQ(rig.session.connect(), SessionError::None);
    EXPECT_EQ(rig.steps(), concat({{"get id"}, ReadyAfterModeWrite}));
    EXPECT_TRUE(rig.feedback.busy.empty()) << "the start-up probe shows no busy cursor";
    EXPECT_EQ(rig.channel.boundDevice(), rig.devices.devices().front().get());

    ToneTable table{};
    ASSERT_EQ(rig.session.readTable(TableBank::Stored, DefaultPanelGamma, table), SessionError::None);
    EXPECT_EQ(rig.steps(), concat({{"get id"}, ReadyAfterModeWrite, Ready, {"get gamma"}}));
    EXPECT_EQ(table, identityTable()) << "gamma code 4 on a 2.2 panel is the straight line";
    EXPECT_EQ(rig.feedback.busy, (std::vector<bool>{true, false}));
}

TEST(MonitorSessionConnect, GammaCodeUsesTheCallersPanelGammaAndACustomTableIsReadInBlocks) {
    SessionRig rig;
    rig.sim.monitor().state().gammaCode = 9;
    ASSERT_EQ(rig.session.connect(), SessionError::None);
    ToneTable table{};
    ASSERT_EQ(rig.session.readTable(TableBank::Stored, 1.8, table), SessionError::None);
    EXPECT_EQ(table, makeMonitorGammaCurve(0.2 * 9 + 1.4, 1.8));

    storeCustomTable(rig, customTable());
    rig.record();
    rig.feedback.busy.clear();
    ASSERT_EQ(rig.session.readTable(TableBank::Stored, 1.8, table), SessionError::None);
    EXPECT_EQ(rig.steps(), concat({Ready, {"get gamma"}, Ready, blockReads(0)}));
    EXPECT_EQ(table, customTable()) << "the panel gamma plays no part in a custom table";
    EXPECT_EQ(rig.feedback.busy, (std::vector<bool>{true, false, true, false}))
        << "the readiness check and the block read each show it; the nested check adds nothing";
}

TEST(MonitorSessionConnect, NoDeviceNoMonitorAndACalibratedMonitorAreTold) {
    SessionRig empty;
    empty.sim.unplug(empty.sim.monitorIndex());
    EXPECT_EQ(empty.session.connect(), SessionError::NoMonitor);

    SessionRig others;
    others.sim.addDiscoveryDevices();
    others.sim.unplug(others.sim.monitorIndex());
    EXPECT_EQ(others.session.connect(), SessionError::NoMonitor);
    EXPECT_EQ(others.channel.boundDevice(), nullptr) << "no binding is left on a device that is not the monitor";

    SessionRig calibrated;
    calibrated.sim.monitor().state().calibrated = true;
    calibrated.record();
    EXPECT_EQ(calibrated.session.connect(), SessionError::Calibrated);
    EXPECT_EQ(calibrated.steps(), concat({{"get id"}, ReadyAfterModeWrite}));
}

TEST(MonitorSessionStatus, OnlyBitZeroOfTheStatusWordMeansCalibrated) {
    const struct {
        std::uint16_t word;
        bool calibrated;
    } cases[] = {{0x0001, true}, {0x0003, true}, {0x8001, true}, {0x0000, false}, {0x0002, false}, {0xFFFE, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "status word 0x" << std::hex << c.word);
        const SessionError expected = c.calibrated ? SessionError::Calibrated : SessionError::None;
        SessionRig starting;
        setStatusWord(starting, c.word);
        EXPECT_EQ(starting.session.connect(), expected);

        // The same word while editing: a transfer stops after the readiness check, or goes ahead.
        SessionRig editing;
        ASSERT_EQ(editing.session.connect(), SessionError::None);
        setStatusWord(editing, c.word);
        editing.record();
        EXPECT_EQ(editing.session.writeTable(TableBank::Preview, customTable()), expected);
        EXPECT_EQ(editing.steps(), c.calibrated ? Ready : concat({Ready, blockWrites(128)}));
    }
}

// The one calibration probe in its three uses, with the mode register not yet 12, each
// exchange failing in turn: what it reports, and which exchanges it makes.
TEST(MonitorSessionStatus, TheThreeProbesDifferOnlyInWhatTheyWriteAndWhatAFailureMeans) {
    const SessionError None = SessionError::None;
    const SessionError ReadFailed = SessionError::ReadFailed;
    const struct {
        CalibrationProbe probe;
        int failing;  // exchange of the probe made to fail, 0 for none
        bool calibrated;
        SessionError result;
        Steps steps;
    } cases[] = {
        {CalibrationProbe::StartUp, 0, false, None, {"get mode", "set mode 12", "get status"}},
        {CalibrationProbe::StartUp, 0, true, SessionError::Calibrated, {"get mode", "set mode 12", "get status"}},
        {CalibrationProbe::StartUp, 1, true, None, {"get mode failed"}},
        {CalibrationProbe::StartUp,
         2,
         true,
         SessionError::Calibrated,
         {"get mode", "set mode 12 failed", "get status"}},
        {CalibrationProbe::StartUp, 3, true, None, {"get mode", "set mode 12", "get status failed"}},
        {CalibrationProbe::Transfer, 0, true, SessionError::Calibrated, {"get mode", "set mode 12", "get status"}},
        {CalibrationProbe::Transfer, 1, false, ReadFailed, {"get mode failed"}},
        {CalibrationProbe::Transfer, 2, false, SessionError::WriteFailed, {"get mode", "set mode 12 failed"}},
        {CalibrationProbe::Transfer, 3, false, ReadFailed, {"get mode", "set mode 12", "get status failed"}},
        {CalibrationProbe::ReadOnly, 0, true, SessionError::Calibrated, {"get status"}},
        {CalibrationProbe::ReadOnly, 0, false, None, {"get status"}},
        {CalibrationProbe::ReadOnly, 1, true, None, {"get status failed"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "probe " << static_cast<int>(c.probe) << ", failing " << c.failing
                                          << (c.calibrated ? ", calibrated" : ""));
        SessionRig rig;
        ASSERT_TRUE(rig.devices.discoverDevices());
        ASSERT_EQ(rig.session.findMonitor(), SessionError::None);
        MonitorState& m = rig.sim.monitor().state();
        m.mode = 1;
        m.calibrated = c.calibrated;
        rig.record();
        rig.feedback.busy.clear();
        if (c.failing > 0) rig.sim.failExchange(c.failing);
        EXPECT_EQ(rig.session.probeCalibration(c.probe), c.result);
        EXPECT_EQ(rig.steps(), c.steps);
        const std::vector<bool> busy =
            c.probe == CalibrationProbe::Transfer ? std::vector<bool>{true, false} : std::vector<bool>{};
        EXPECT_EQ(rig.feedback.busy, busy);
    }
}

TEST(MonitorSessionDiscovery, OnlyTheFirstSupportedMonitorIsChosenAndOnlyPlausibleDevicesAreAsked) {
    SessionRig rig;
    rig.sim.addDiscoveryDevices();
    rig.sim.addDevice(factoryMonitorState());  // a second monitor, after the first
    rig.record();
    ASSERT_EQ(rig.session.connect(), SessionError::None);
    // 0 cannot be opened, 1 has an unaccepted vendor (closed at discovery), 2 has release 29999,
    // 4 has two collections of which only the second carries a model name.
    const Steps steps = rig.stepsWithDevice();
    EXPECT_EQ(Steps(steps.begin(), steps.begin() + 3), (Steps{"3: get id", "4: get id", "5: get id"}));
    for (const std::string& s : steps) {
        EXPECT_TRUE(s.starts_with("3: ") || s.starts_with("4: ") || s.starts_with("5: ")) << s;
    }
    std::vector<std::string> listed;
    for (const auto& d : rig.devices.devices()) listed.push_back(d->devicePath);
    EXPECT_EQ(listed,
              (std::vector<std::string>{"simulated:release-29999", "simulated:wrong-model", "simulated:two-collections",
                                        "simulated:two-collections", "simulated:monitor", "simulated:device6"}));
    EXPECT_EQ(rig.channel.boundDevice()->devicePath, "simulated:monitor");
    EXPECT_EQ(rig.session.unreadableIdentities(), 0);
}

TEST(MonitorSessionDiscovery, VendorReportsInTheSecondCollectionAreFoundAndSpokenTo) {
    SessionRig rig;
    rig.sim.setDescriptor(rig.sim.monitorIndex(), simulatedTwoCollectionDescriptor());
    storeCustomTable(rig, customTable());
    rig.record();
    ASSERT_EQ(rig.session.connect(), SessionError::None);
    EXPECT_EQ(rig.session.unreadableIdentities(), 0) << "the collection without a model name is passed over quietly";
    ASSERT_EQ(rig.devices.devices().size(), 2u);
    EXPECT_EQ(rig.devices.devices()[0]->devicePath, rig.devices.devices()[1]->devicePath);
    EXPECT_EQ(rig.channel.boundDevice(), rig.devices.devices()[1].get());
    ToneTable first{};
    ASSERT_EQ(rig.session.readTable(TableBank::Stored, DefaultPanelGamma, first), SessionError::None);
    EXPECT_EQ(first, customTable());
    EXPECT_EQ(rig.steps(), concat({{"get id"}, ReadyAfterModeWrite, Ready, {"get gamma"}, Ready, blockReads(0)}));

    const ToneTable written = quantised(makeDefaultCurve(2.6));
    ASSERT_EQ(rig.session.writeTable(TableBank::Stored, written), SessionError::None);
    ToneTable back{};
    ASSERT_EQ(rig.session.readBlocks(TableBank::Stored, back), SessionError::None);
    EXPECT_EQ(back, written);
    EXPECT_EQ(rig.sim.monitor().state().stored[255], packToneLevel(written[255]));
    EXPECT_EQ(rig.sim.openHandleCount(), 2u);
    rig.session.release();
    EXPECT_EQ(rig.sim.openHandleCount(), 0u);
}

TEST(MonitorSessionDiscovery, UnreadableIdentificationIsCountedAndTheSearchGoesOn) {
    SessionRig rig;
    rig.sim.addDiscoveryDevices();
    rig.sim.failExchange(1);  // the wrong-model device's identification
    ASSERT_EQ(rig.session.connect(), SessionError::None);
    EXPECT_EQ(rig.session.unreadableIdentities(), 1);

    // A later search starts its count afresh.
    ASSERT_EQ(rig.session.connect(), SessionError::None);
    EXPECT_EQ(rig.session.unreadableIdentities(), 0);

    SessionRig alone;
    alone.sim.failExchange(1);
    EXPECT_EQ(alone.session.connect(), SessionError::NoMonitor);
    EXPECT_EQ(alone.session.unreadableIdentities(), 1);
}

TEST(MonitorSessionDiscovery, ModelNameRules) {
    const struct {
        std::string name;
        bool supported;
    } cases[] = {
        {"QT440", true}, {"QT440   ", true}, {"QT440\t\v\f", true}, {"QT440\r\n", true}, {"qt440", false},
        {"QT44", false}, {"QT4400", false},  {" QT440", false},     {"", false},
    };
    for (const auto& c : cases) {
        SessionRig rig;
        rig.sim.monitor().state().modelName = c.name;
        EXPECT_EQ(rig.session.connect() == SessionError::None, c.supported) << '"' << c.name << '"';
    }
    EXPECT_TRUE(MonitorSession::isSupportedModelName("QT440"));
    EXPECT_FALSE(MonitorSession::isSupportedModelName("QT440 "));
}

TEST(MonitorSessionDiscovery, ReleaseThirtyThousandIsExaminedAndTwentyNineNineNineNineIsNot) {
    for (const std::uint16_t release : {29999, 30000, 65535}) {
        SessionRig rig;
        rig.sim.monitor().state().releaseNumber = release;
        ASSERT_TRUE(rig.devices.discoverDevices());
        rig.record();
        EXPECT_EQ(rig.session.findMonitor() == SessionError::None, release >= 30000) << release;
        EXPECT_EQ(rig.steps().empty(), release < 30000) << "the model name is read only for a plausible release";
    }
}

class MonitorSessionReady : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(rig.session.connect(), SessionError::None);
        rig.feedback.busy.clear();
        rig.record();
    }
    MonitorState& monitor() { return rig.sim.monitor().state(); }
    SessionRig rig;
};

TEST_F(MonitorSessionReady, WriteSendsFourSelectionsEachFollowedByAPausedBlockWrite) {
    const ToneTable table = makeDefaultCurve(2.4);
    ASSERT_EQ(rig.session.writeTable(TableBank::Preview, table), SessionError::None);
    EXPECT_EQ(rig.steps(), concat({Ready, blockWrites(128)}));
    for (int i = 0; i < LevelCount; ++i) EXPECT_EQ(monitor().preview[i], packToneLevel(table[i])) << i;
    EXPECT_EQ(monitor().gammaCode, 4) << "a preview leaves the stored table alone";
    EXPECT_EQ(rig.feedback.busy, (std::vector<bool>{true, false}));

    rig.record();
    ASSERT_EQ(rig.session.writeTable(TableBank::Stored, table), SessionError::None);
    EXPECT_EQ(rig.steps(), concat({Ready, blockWrites(0)}));
    EXPECT_EQ(monitor().gammaCode, CustomTableGammaCode);
    ToneTable back{};
    ASSERT_EQ(rig.session.readTable(TableBank::Stored, DefaultPanelGamma, back), SessionError::None);
    EXPECT_EQ(back, quantised(table));
}

// Four block writes, each after the real one-millisecond pause (a lower bound only).
TEST_F(MonitorSessionReady, TableWriteSpendsAtLeastFourMillisecondsPausing) {
    const auto began = std::chrono::steady_clock::now();
    ASSERT_EQ(rig.session.writeTable(TableBank::Preview, makeDefaultCurve(2.4)), SessionError::None);
    EXPECT_GE(std::chrono::steady_clock::now() - began, std::chrono::milliseconds(4));
}

TEST_F(MonitorSessionReady, ModeChangedBehindTheEditorsBackIsSetOnceBeforeTheStatusRead) {
    monitor().mode = 3;
    ToneTable t{};
    ASSERT_EQ(rig.session.readBlocks(TableBank::Preview, t), SessionError::None);
    EXPECT_EQ(rig.steps(), concat({ReadyAfterModeWrite, blockReads(128)}));
    EXPECT_EQ(t, identityTable());
}

TEST_F(MonitorSessionReady, CalibratedMonitorStopsEveryTransferAfterTheReadinessCheck) {
    monitor().calibrated = true;
    ToneTable t = makeDefaultCurve(2.0);
    const ToneTable before = t;
    EXPECT_EQ(rig.session.readTable(TableBank::Stored, DefaultPanelGamma, t), SessionError::Calibrated);
    EXPECT_EQ(rig.session.readBlocks(TableBank::Preview, t), SessionError::Calibrated);
    EXPECT_EQ(rig.session.writeTable(TableBank::Preview, t), SessionError::Calibrated);
    EXPECT_EQ(rig.session.writeClosing(t), SessionError::Calibrated);
    EXPECT_EQ(rig.steps(), concat({Ready, Ready, Ready, Ready}));
    EXPECT_EQ(t, before);
}

TEST_F(MonitorSessionReady, UnpluggedMonitorFailsItsFirstRead) {
    rig.sim.unplug(rig.sim.monitorIndex());
    EXPECT_EQ(rig.session.writeTable(TableBank::Preview, makeDefaultCurve(2.0)), SessionError::ReadFailed);
}

TEST_F(MonitorSessionReady, ReleasedDevicesLeaveEveryOperationGoneWithoutAnExchange) {
    rig.session.release();
    ToneTable t = makeDefaultCurve(2.0);
    EXPECT_EQ(rig.session.readTable(TableBank::Stored, DefaultPanelGamma, t), SessionError::Gone);
    EXPECT_EQ(rig.session.readBlocks(TableBank::Preview, t), SessionError::Gone);
    EXPECT_EQ(rig.session.writeTable(TableBank::Preview, t), SessionError::Gone);
    EXPECT_EQ(rig.session.writeClosing(t), SessionError::Gone);
    EXPECT_EQ(rig.session.probeCalibration(CalibrationProbe::ReadOnly), SessionError::Gone);
    EXPECT_TRUE(rig.sim.exchanges().empty());
    EXPECT_EQ(t, makeDefaultCurve(2.0));
    EXPECT_TRUE(rig.devices.devices().empty());
}

TEST_F(MonitorSessionReady, ClosingWritesTheStoredBankWithTheBusyCursor) {
    monitor().preview.fill(0);
    const ToneTable stored = makeDefaultCurve(1.5);
    ASSERT_EQ(rig.session.writeClosing(stored), SessionError::None);
    EXPECT_EQ(rig.steps(), concat({Ready, blockWrites(0)}));
    for (int i = 0; i < LevelCount; ++i) EXPECT_EQ(monitor().stored[i], packToneLevel(stored[i]));
    EXPECT_EQ(rig.feedback.busy, (std::vector<bool>{true, false}));
}

// Every exchange of a transfer is made to fail in turn: the transfer stops there with the error
// of its direction and retries nothing.
TEST(MonitorSessionFaults, EveryExchangeOfATransferStopsItWithTheErrorOfItsDirection) {
    const struct {
        const char* name;
        std::function<SessionError(SessionRig&, ToneTable&)> transfer;
    } transfers[] = {
        {"custom read", [](SessionRig& r, ToneTable& t) { return r.session.readTable(TableBank::Stored, 2.2, t); }},
        {"block read", [](SessionRig& r, ToneTable& t) { return r.session.readBlocks(TableBank::Preview, t); }},
        {"write", [](SessionRig& r, ToneTable& t) { return r.session.writeTable(TableBank::Preview, t); }},
    };
    const auto prepare = [](SessionRig& rig) {
        ASSERT_EQ(rig.session.connect(), SessionError::None);
        storeCustomTable(rig, customTable());
        rig.sim.monitor().state().mode = 1;
        rig.record();
    };
    for (const auto& t : transfers) {
        SessionRig dry;
        prepare(dry);
        ToneTable table = makeDefaultCurve(2.0);
        ASSERT_EQ(t.transfer(dry, table), SessionError::None) << t.name;
        const std::vector<SimulatedExchange> log = dry.sim.exchanges();
        for (std::size_t i = 0; i < log.size(); ++i) {
            SCOPED_TRACE(std::string(t.name) + ", failing exchange " + std::to_string(i));
            SessionRig rig;
            prepare(rig);
            rig.sim.failExchange(i + 1);
            ToneTable target = makeDefaultCurve(2.0);
            const SessionError expected =
                log[i].direction == ExchangeDirection::Get ? SessionError::ReadFailed : SessionError::WriteFailed;
            EXPECT_EQ(t.transfer(rig, target), expected);
            EXPECT_EQ(rig.sim.exchanges().size(), i + 1) << "nothing after the failure, nothing retried";
            if (std::string(t.name) == "custom read") {
                EXPECT_EQ(target, makeDefaultCurve(2.0)) << "the destination is kept on failure";
            }
        }
    }
}

// One scripted device whose registers all read 0x0C0C: not calibrated, a computed-table gamma code.
struct FakeSessionRig {
    explicit FakeSessionRig(DeviceLockResult answer) {
        fake.addDevices(1);
        fake.replyFill = 0x0C;
        fake.lockAnswer = answer;
        EXPECT_TRUE(devices.discoverDevices());
        channel.bindDevice(devices.devices()[0].get());
    }
    FakeHidPlatform fake;
    DeviceList devices{fake};
    HidReportChannel channel{fake};
    MonitorSession session{channel, devices, nullptr};
};

// Block transfers hold the lock from before the readiness check to after the last block; a lock
// held elsewhere ends them Busy, one that cannot be had with their direction's error, exchanging
// nothing. A table computed from the gamma code takes no lock.
TEST(MonitorSessionLock, BlockTransfersRunWhollyUnderTheTransferLock) {
    const struct {
        const char* name;
        std::function<SessionError(MonitorSession&, ToneTable&)> transfer;
        SessionError lockFailed;
    } transfers[] = {
        {"block read", [](MonitorSession& m, ToneTable& t) { return m.readBlocks(TableBank::Stored, t); },
         SessionError::ReadFailed},
        {"write", [](MonitorSession& m, ToneTable& t) { return m.writeTable(TableBank::Preview, t); },
         SessionError::WriteFailed},
    };
    for (const auto& t : transfers) {
        for (const DeviceLockResult answer :
             {DeviceLockResult::Held, DeviceLockResult::Busy, DeviceLockResult::Failed}) {
            SCOPED_TRACE(std::string(t.name) + ", lock answer " + std::to_string(int(answer)));
            FakeSessionRig rig(answer);
            ToneTable table = makeDefaultCurve(2.0);
            const SessionError result = t.transfer(rig.session, table);
            if (answer != DeviceLockResult::Held) {
                EXPECT_EQ(result, answer == DeviceLockResult::Busy ? SessionError::Busy : t.lockFailed);
                EXPECT_TRUE(rig.fake.events.empty());
                continue;
            }
            EXPECT_EQ(result, SessionError::None);
            ASSERT_GE(rig.fake.events.size(), 12u) << "readiness check and four blocks";
            EXPECT_EQ(rig.fake.events.front().kind, FakeEvent::Lock);
            EXPECT_EQ(rig.fake.events.back().kind, FakeEvent::Unlock);
        }
    }
    FakeSessionRig computed(DeviceLockResult::Held);
    ToneTable table{};
    EXPECT_EQ(computed.session.readTable(TableBank::Stored, DefaultPanelGamma, table), SessionError::None);
    for (const FakeEvent& e : computed.fake.events) EXPECT_NE(e.kind, FakeEvent::Lock);
}

TEST(MonitorSessionDevicePath, ANamedDeviceIsTheOnlyOneSearched) {
    SessionRig rig;
    const std::size_t second = rig.sim.addDevice(factoryMonitorState());
    rig.sim.device(second).state().gammaCode = 9;
    rig.devices.restrictToPath(rig.sim.devicePath(second));
    ASSERT_EQ(rig.session.connect(), SessionError::None);
    ToneTable table{};
    ASSERT_EQ(rig.session.readTable(TableBank::Stored, DefaultPanelGamma, table), SessionError::None);
    EXPECT_EQ(table, makeMonitorGammaCurve(0.2 * 9 + 1.4, DefaultPanelGamma)) << "the second monitor answered";
    EXPECT_EQ(rig.devices.devices().size(), 1u);

    rig.devices.restrictToPath("simulated:nothing-here");
    EXPECT_EQ(rig.session.connect(), SessionError::NoMonitor);
    rig.devices.restrictToPath("");
    ASSERT_EQ(rig.session.connect(), SessionError::None);
    EXPECT_EQ(rig.devices.devices().size(), 2u);
    EXPECT_EQ(rig.channel.boundDevice(), rig.devices.devices().front().get()) << "the first monitor again";
}

}  // namespace
}  // namespace grayden
