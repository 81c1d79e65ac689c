#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "device/MonitorProtocol.h"
#include "device/TonePacking.h"
#include "device/hid/DeviceList.h"
#include "device/simulated/SimulatedMonitorPlatform.h"
#include "device/simulated/SimulatedMonitorReports.h"
#include "tests/support/TempDir.h"

namespace grayden {
namespace {

using Frame = std::vector<std::uint8_t>;

// Talks to the simulator through its platform interface only, as the transport does.
class SimulatorFixture : public ::testing::Test {
protected:
    SimulatorFixture() { open(); }

    void open() {
        int error = 0;
        handle = sim.openDevice(sim.devicePath(sim.monitorIndex()), {}, error);
        ASSERT_NE(handle, InvalidHidHandle);
    }

    // A get of the report; the value, or nothing when the exchange failed.
    std::optional<Frame> get(std::uint8_t id) {
        Frame frame(static_cast<std::size_t>(findSimulatedReport(id)->valueLength) + 1, 0);
        frame[0] = id;
        if (!sim.getFeature(handle, frame.data(), static_cast<std::int16_t>(frame.size()))) return std::nullopt;
        return Frame(frame.begin() + 1, frame.end());
    }

    bool set(std::uint8_t id, Frame value) {
        value.resize(static_cast<std::size_t>(findSimulatedReport(id)->valueLength), 0);
        value.insert(value.begin(), id);
        return sim.setFeature(handle, value.data(), static_cast<std::int16_t>(value.size()));
    }

    bool setWord(std::uint8_t id, std::uint16_t v) {
        return set(id, {static_cast<std::uint8_t>(v & 0xFF), static_cast<std::uint8_t>(v >> 8)});
    }

    static Frame blockOf(std::uint16_t word) {
        Frame block;
        for (int i = 0; i < BlockEntries; ++i) {
            block.push_back(static_cast<std::uint8_t>(word & 0xFF));
            block.push_back(static_cast<std::uint8_t>(word >> 8));
        }
        return block;
    }

    SimulatedMonitorPlatform sim;
    HidHandle handle = InvalidHidHandle;
};

TEST_F(SimulatorFixture, IdentifiesAsAQT440) {
    std::uint16_t vendor = 0, product = 0, release = 0;
    ASSERT_TRUE(sim.getAttributes(handle, vendor, product, release));
    EXPECT_EQ(vendor, 4712);
    EXPECT_EQ(release, 30000);
    const auto id = get(IdentificationReport);
    ASSERT_TRUE(id);
    EXPECT_EQ(std::string(id->begin() + 8, id->end()), std::string("QT440\0\0\0", 8));
    std::vector<std::uint8_t> descriptor;
    ASSERT_TRUE(sim.getReportDescriptor(handle, descriptor));
    EXPECT_EQ(descriptor, simulatedMonitorDescriptor());
}

TEST_F(SimulatorFixture, BlockTransfersNeedModeTwelve) {
    ASSERT_TRUE(set(BlockSelectReport, {1}));
    EXPECT_FALSE(get(BlockDataReport)) << "factory mode is not 12";
    EXPECT_FALSE(set(BlockDataReport, blockOf(0x0C05)));
    ASSERT_TRUE(setWord(ModeReport, ReadyMode));
    EXPECT_EQ(get(ModeReport), (Frame{12, 0}));
    const auto block = get(BlockDataReport);
    ASSERT_TRUE(block);
    EXPECT_EQ(unpackToneWord(static_cast<std::uint16_t>((*block)[0] | ((*block)[1] << 8))), 32 * 64)
        << "block 1 starts at level 64";
}

TEST_F(SimulatorFixture, StoringACustomTableSetsGammaCode255ButPreviewDoesNot) {
    ASSERT_TRUE(setWord(ModeReport, ReadyMode));
    EXPECT_EQ(get(GammaCodeReport), (Frame{4, 0}));
    ASSERT_TRUE(set(BlockSelectReport, {129}));
    ASSERT_TRUE(set(BlockDataReport, blockOf(0x0C07)));
    EXPECT_EQ(get(GammaCodeReport), (Frame{4, 0}));
    EXPECT_EQ(sim.monitor().state().preview[64], 0x0C07);
    EXPECT_EQ(sim.monitor().state().stored[64], packToneLevel(32 * 64));
    ASSERT_TRUE(set(BlockSelectReport, {3}));
    ASSERT_TRUE(set(BlockDataReport, blockOf(0x0C09)));
    EXPECT_EQ(get(GammaCodeReport), (Frame{255, 0}));
    EXPECT_EQ(sim.monitor().state().stored[192], 0x0C09);
    EXPECT_EQ(sim.monitor().state().stored[191], packToneLevel(32 * 191));
}

TEST_F(SimulatorFixture, CalibratedMonitorLocksToneDataButAnswersItsRegisters) {
    sim.monitor().state().calibrated = true;
    ASSERT_TRUE(setWord(ModeReport, ReadyMode));
    EXPECT_EQ(get(StatusReport), (Frame{1, 0}));
    ASSERT_TRUE(set(BlockSelectReport, {0}));
    EXPECT_FALSE(get(BlockDataReport));
    EXPECT_FALSE(set(BlockDataReport, blockOf(0)));
    EXPECT_EQ(sim.monitor().state().gammaCode, 4);
}

TEST_F(SimulatorFixture, RefusesWhatNoMonitorWouldAccept) {
    EXPECT_FALSE(set(BlockSelectReport, {4})) << "only blocks 0..3 and 128..131 exist";
    EXPECT_FALSE(set(BlockSelectReport, {127}));
    EXPECT_FALSE(set(BlockSelectReport, {132}));
    EXPECT_TRUE(set(BlockSelectReport, {131}));
    EXPECT_FALSE(get(BlockSelectReport)) << "block select is write-only";
    EXPECT_FALSE(setWord(StatusReport, 0)) << "status is read-only";
    EXPECT_FALSE(setWord(GammaCodeReport, 255)) << "gamma code is read-only";
    EXPECT_FALSE(set(IdentificationReport, {}));
    std::uint8_t frame[4] = {ModeReport, 12, 0, 0};
    EXPECT_FALSE(sim.setFeature(handle, frame, 4)) << "frame longer than the report";
    EXPECT_FALSE(sim.getFeature(handle, frame, 2)) << "frame shorter than the report";
    frame[0] = 9;
    EXPECT_FALSE(sim.getFeature(handle, frame, 3)) << "no such report id";
    EXPECT_FALSE(sim.getFeature(handle, nullptr, 3));
    EXPECT_FALSE(sim.getFeature(handle + 100, frame, 3)) << "unknown handle";
}

TEST_F(SimulatorFixture, FaultsFailExactlyWhatTheyName) {
    sim.failExchange(2);
    EXPECT_TRUE(get(ModeReport));
    EXPECT_FALSE(get(ModeReport));
    EXPECT_TRUE(get(ModeReport)) << "a counted fault fires once";

    sim.failUsage(VendorPageB, UsageStatus);
    EXPECT_FALSE(get(StatusReport));
    EXPECT_FALSE(get(StatusReport));
    EXPECT_TRUE(get(ModeReport));
    sim.clearFaults();
    EXPECT_TRUE(get(StatusReport));

    sim.unplug(sim.monitorIndex());
    EXPECT_FALSE(get(ModeReport));
    EXPECT_FALSE(setWord(ModeReport, 12));
    int error = 0;
    EXPECT_EQ(sim.openDevice(sim.devicePath(sim.monitorIndex()), {}, error), InvalidHidHandle);
    EXPECT_EQ(error, ENOENT);
    ASSERT_TRUE(sim.beginEnumeration());
    std::string path;
    EXPECT_EQ(sim.interfaceAt(0, path), InterfaceQuery::NoMoreItems);
}

TEST_F(SimulatorFixture, LogRecordsEveryExchangeWhileRecording) {
    EXPECT_TRUE(get(ModeReport));
    sim.recordExchanges(true);
    EXPECT_TRUE(setWord(ModeReport, 12));
    EXPECT_TRUE(get(ModeReport));
    EXPECT_FALSE(get(BlockSelectReport));
    const std::vector<SimulatedExchange> expected = {
        {0, ExchangeDirection::Set, ModeReport, {12, 0}, true},
        {0, ExchangeDirection::Get, ModeReport, {12, 0}, true},
        {0, ExchangeDirection::Get, BlockSelectReport, {}, false},
    };
    EXPECT_EQ(sim.exchanges(), expected);
    EXPECT_EQ(sim.exchangeCount(), 4u);
}

TEST(SimulatedMonitorPlatform, DiscoveryDevicesComeBeforeTheMonitorAndHandlesFollowThem) {
    SimulatedMonitorPlatform sim;
    int error = 0;
    const HidHandle monitor = sim.openDevice("simulated:monitor", {}, error);
    sim.addDiscoveryDevices();
    EXPECT_EQ(sim.monitorIndex(), 5u);
    ASSERT_TRUE(sim.beginEnumeration());
    std::vector<std::string> paths;
    std::string path;
    for (std::size_t i = 0; sim.interfaceAt(i, path) == InterfaceQuery::Found; ++i) paths.push_back(path);
    sim.endEnumeration();
    EXPECT_EQ(paths,
              (std::vector<std::string>{"simulated:no-access", "simulated:unaccepted-vendor", "simulated:release-29999",
                                        "simulated:wrong-model", "simulated:two-collections", "simulated:monitor"}));
    std::uint16_t vendor = 0, product = 0, release = 0;
    ASSERT_TRUE(sim.getAttributes(monitor, vendor, product, release));
    EXPECT_EQ(release, 30000) << "the open handle still reaches the monitor";
    EXPECT_EQ(sim.openDevice(paths[0], {}, error), InvalidHidHandle);
    EXPECT_EQ(error, EACCES);
    EXPECT_EQ(sim.device(1).state().vendorId, 0x046D);
    EXPECT_EQ(sim.device(2).state().releaseNumber, 29999);
    EXPECT_EQ(sim.device(3).state().modelName, "qt440");
    sim.closeDevice(monitor);
    EXPECT_EQ(sim.openHandleCount(), 0u);
}

TEST(SimulatedMonitorPlatform, VendorOfADeviceThatCannotBeOpenedIsKnown) {
    SimulatedMonitorPlatform sim;
    sim.addDiscoveryDevices();
    EXPECT_TRUE(mayBeAcceptedDevice(sim, "simulated:no-access"));
    EXPECT_FALSE(mayBeAcceptedDevice(sim, "simulated:unaccepted-vendor"));
    sim.unplug(0);
    EXPECT_TRUE(mayBeAcceptedDevice(sim, "simulated:no-access")) << "gone: nobody can tell";
}

TEST(SimulatedMonitorPlatform, StateFileFollowsEveryChangeOfTheMonitorsMemory) {
    testing::TempDir dir;
    const std::string path = dir.file("monitor.state");
    std::string error;
    auto sim = SimulatedMonitorPlatform::fromStateFile(path, error);
    ASSERT_TRUE(sim) << error;
    EXPECT_EQ(testing::readText(path), formatMonitorState(factoryMonitorState())) << "created on first use";

    int openError = 0;
    const HidHandle h = sim->openDevice("simulated:monitor", {}, openError);
    const std::uint8_t mode[] = {ModeReport, 12, 0};
    ASSERT_TRUE(sim->setFeature(h, mode, 3));
    std::uint8_t select[] = {BlockSelectReport, 2};
    ASSERT_TRUE(sim->setFeature(h, select, 2));
    std::vector<std::uint8_t> block(BlockBytes + 1, 0);
    block[0] = BlockDataReport;
    for (int i = 0; i < BlockEntries; ++i) block[2 + 2 * i] = 0x0C;  // level 0, as the host packs it
    ASSERT_TRUE(sim->setFeature(h, block.data(), static_cast<std::int16_t>(block.size())));

    MonitorState saved;
    ASSERT_EQ(loadMonitorStateFile(path, saved, error), StateFileResult::Loaded) << error;
    EXPECT_EQ(saved, sim->monitor().state());
    EXPECT_EQ(saved.mode, 12);
    EXPECT_EQ(saved.gammaCode, 255);
    EXPECT_EQ(saved.stored[128], 0x0C00);

    auto again = SimulatedMonitorPlatform::fromStateFile(path, error);
    ASSERT_TRUE(again) << error;
    EXPECT_EQ(again->monitor().state(), saved) << "a new process finds the monitor as it was left";
}

TEST(SimulatedMonitorPlatform, WriteThatCannotBeStoredFailsAndChangesNothing) {
    testing::TempDir dir;
    const std::string path = dir.file("monitor.state");
    std::string error;
    auto sim = SimulatedMonitorPlatform::fromStateFile(path, error);
    ASSERT_TRUE(sim) << error;
    // A folder in the file's place makes every later save fail, whoever runs the test.
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    int openError = 0;
    const HidHandle h = sim->openDevice("simulated:monitor", {}, openError);
    const std::uint8_t mode[] = {ModeReport, 12, 0};
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(sim->setFeature(h, mode, 3));
    EXPECT_NE(::testing::internal::GetCapturedStderr().find(path), std::string::npos) << "the tester learns why";
    EXPECT_EQ(sim->monitor().state().mode, 0);
    const std::uint8_t same[] = {ModeReport, 0, 0};
    EXPECT_TRUE(sim->setFeature(h, same, 3)) << "a write that changes nothing needs no storage";
}

// One process writes a preview block, another a stored block, both at once into one state file,
// each through its own platform as two graydenctl runs would: neither change may be lost.
TEST(SimulatedMonitorPlatform, ConcurrentWritersToOneStateFileBothLand) {
    testing::TempDir dir;
    const std::string path = dir.file("monitor.state");
    const auto writeBlock = [&](std::uint8_t block, std::uint16_t word) {
        std::string error;
        auto sim = SimulatedMonitorPlatform::fromStateFile(path, error);
        if (!sim) return false;
        int openError = 0;
        const HidHandle h = sim->openDevice("simulated:monitor", {}, openError);
        const std::uint8_t mode[] = {ModeReport, 12, 0};
        const std::uint8_t select[] = {BlockSelectReport, block};
        std::vector<std::uint8_t> data(BlockBytes + 1, 0);
        data[0] = BlockDataReport;
        for (int i = 0; i < BlockEntries; ++i) {
            data[1 + 2 * i] = static_cast<std::uint8_t>(word & 0xFF);
            data[2 + 2 * i] = static_cast<std::uint8_t>(word >> 8);
        }
        return sim->setFeature(h, mode, 3) && sim->setFeature(h, select, 2) &&
               sim->setFeature(h, data.data(), static_cast<std::int16_t>(data.size()));
    };
    for (int round = 0; round < 25; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        std::string error;
        ASSERT_TRUE(saveMonitorStateFile(path, factoryMonitorState(), error)) << error;
        int gate[2];
        ASSERT_EQ(::pipe(gate), 0);
        pid_t writers[2];
        const std::uint8_t blocks[2] = {128, 0};  // the preview bank, the stored bank
        const std::uint16_t words[2] = {packToneLevel(100), packToneLevel(200)};
        for (int w = 0; w < 2; ++w) {
            writers[w] = ::fork();
            if (writers[w] == 0) {
                ::close(gate[1]);
                char go;
                (void)!::read(gate[0], &go, 1);  // both start when the gate opens
                ::_exit(writeBlock(blocks[w], words[w]) ? 0 : 1);
            }
        }
        ::close(gate[0]);
        ::close(gate[1]);
        for (const pid_t writer : writers) {
            int status = 0;
            ::waitpid(writer, &status, 0);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "every write reports success";
        }
        MonitorState after;
        ASSERT_EQ(loadMonitorStateFile(path, after, error), StateFileResult::Loaded) << error;
        EXPECT_EQ(after.preview[0], words[0]) << "the preview write landed";
        EXPECT_EQ(after.stored[0], words[1]) << "the stored write landed";
        EXPECT_EQ(after.gammaCode, 255);
    }
}

TEST(SimulatedMonitorPlatform, MalformedStateFileGivesNoPlatform) {
    testing::TempDir dir;
    const std::string path = dir.file("monitor.state");
    testing::writeText(path, "calibrated=yes\n");
    std::string error;
    EXPECT_FALSE(SimulatedMonitorPlatform::fromStateFile(path, error));
    EXPECT_NE(error.find("line 1: calibrated"), std::string::npos) << error;
    EXPECT_EQ(testing::readText(path), "calibrated=yes\n");
}

TEST(SimulatedMonitorPlatform, StateFileCanAskForTheDiscoveryDevices) {
    MonitorState s = factoryMonitorState();
    s.extraDevices = true;
    SimulatedMonitorPlatform sim(s);
    EXPECT_EQ(sim.deviceCount(), 6u);
    EXPECT_EQ(sim.devicePath(sim.monitorIndex()), "simulated:monitor");
}

}  // namespace
}  // namespace grayden
