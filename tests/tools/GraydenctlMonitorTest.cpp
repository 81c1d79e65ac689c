#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <future>

#include "device/MonitorProtocol.h"
#include "device/MonitorSession.h"
#include "device/TonePacking.h"
#include "device/simulated/SimulatedMonitorState.h"
#include "engine/GammaCurves.h"
#include "engine/ToneFile.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "tests/support/RunProgram.h"
#include "tests/support/TempDir.h"

namespace grayden {
namespace {

using testing::ProgramResult;
using testing::readText;
using testing::writeText;

const std::string Ctl = GRAYDENCTL_PATH;

std::string message(int id) { return std::string(stringText(id, Language::English)) + "\n"; }

// graydenctl monitor against a simulated monitor whose memory lives in a state file.
class GraydenctlMonitor : public ::testing::Test {
protected:
    ProgramResult monitor(std::vector<std::string> args) {
        args.insert(args.begin(), "monitor");
        return testing::runProgram(Ctl, args, {"GRAYDEN_SIMULATOR=" + state});
    }
    void editState(const std::function<void(MonitorState&)>& edit) {
        MonitorState s = factoryMonitorState();
        edit(s);
        writeText(state, formatMonitorState(s));
    }
    ToneTable table(const ProgramResult& r) {
        ToneTable t{};
        EXPECT_TRUE(parseToneText(r.out, t)) << r.out;
        EXPECT_EQ(r.out, formatToneText(t)) << "the written form of a tone file";
        return t;
    }

    testing::TempDir dir;
    const std::string state = dir.file("monitor.state");
};

TEST_F(GraydenctlMonitor, FreshMonitorReadsAsTheStraightLineAndKeepsAWrittenTable) {
    auto r = monitor({"read"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(table(r), identityTable()) << "gamma code 4 on the default panel gamma 2.2";
    EXPECT_TRUE(std::filesystem::exists(state)) << "created on first use";

    ToneTable written = makeDefaultCurve(1.9);
    written[200] = 1025;
    written[255] = 8160;
    const std::string file = dir.file("curve.csv");
    writeText(file, formatToneText(written));
    r = monitor({"write", file});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.empty());

    r = monitor({"read"});
    ASSERT_EQ(r.status, 0) << r.err;
    const ToneTable back = table(r);
    EXPECT_EQ(back[200], 1026) << "quantised by the packing";
    for (int i = 0; i < LevelCount; ++i) EXPECT_EQ(back[i], unpackToneWord(packToneLevel(written[i]))) << i;

    r = monitor({"status"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "mode register: 12\nstatus word: 0x0000\ncalibrated: no\ngamma code: 255 (custom table)\n");
}

TEST_F(GraydenctlMonitor, PreviewBankIsWrittenAndReadOnItsOwn) {
    const std::string file = dir.file("curve.csv");
    ToneTable t = makeDefaultCurve(0.7);
    t[3] = 9000;  // values clamp on load
    writeText(file, formatToneText(t));
    auto r = monitor({"write", "--bank", "preview", file});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string out = dir.file("read.csv");
    r = monitor({"read", "--bank", "preview", "--out", out});
    ASSERT_EQ(r.status, 0) << r.err;
    ToneTable back{};
    ASSERT_EQ(readToneFile(out, back), ToneFileError::None);
    EXPECT_EQ(back[3], 8160);
    EXPECT_EQ(back[100], unpackToneWord(packToneLevel(t[100])));
    r = monitor({"read"});
    EXPECT_EQ(table(r), identityTable()) << "the stored table is untouched";
    r = monitor({"status"});
    EXPECT_NE(r.out.find("gamma code: 4 (gamma 2.2)"), std::string::npos) << r.out;
}

// Two runs at once on one state file both succeed, one after the other when they share a bank:
// writes to the two banks both land, writes to one bank leave one of the tables whole, never
// blocks of each.
TEST_F(GraydenctlMonitor, ConcurrentWritesEachLandWhole) {
    const ToneTable previewTable = makeDefaultCurve(0.7);
    const ToneTable storedTable = makeDefaultCurve(1.9);
    const std::string previewFile = dir.file("preview.csv");
    const std::string storedFile = dir.file("stored.csv");
    writeText(previewFile, formatToneText(previewTable));
    writeText(storedFile, formatToneText(storedTable));
    PackedBank packed[2]{};
    for (int i = 0; i < LevelCount; ++i) {
        packed[0][i] = packToneLevel(previewTable[i]);
        packed[1][i] = packToneLevel(storedTable[i]);
    }
    for (const bool oneBank : {false, true}) {
        for (int round = 0; round < (oneBank ? 12 : 8); ++round) {
            SCOPED_TRACE((oneBank ? "one bank, round " : "both banks, round ") + std::to_string(round));
            editState([](MonitorState&) {});
            const std::vector<std::string> previewArgs =
                oneBank ? std::vector<std::string>{"write", previewFile}
                        : std::vector<std::string>{"write", "--bank", "preview", previewFile};
            auto preview = std::async(std::launch::async, [&] { return monitor(previewArgs); });
            auto stored = std::async(std::launch::async, [&] { return monitor({"write", storedFile}); });
            const ProgramResult p = preview.get();
            const ProgramResult s = stored.get();
            EXPECT_EQ(p.status, 0) << p.err;
            EXPECT_EQ(s.status, 0) << s.err;
            MonitorState after;
            std::string error;
            ASSERT_TRUE(parseMonitorState(readText(state), after, error)) << error;
            if (oneBank) {
                EXPECT_TRUE(after.stored == packed[0] || after.stored == packed[1]) << "the stored table mixes both";
                continue;
            }
            for (int i = 0; i < LevelCount; ++i) {
                ASSERT_EQ(after.preview[i], packToneLevel(previewTable[i])) << "preview level " << i;
                ASSERT_EQ(after.stored[i], packToneLevel(storedTable[i])) << "stored level " << i;
            }
        }
    }
}

// A transfer still holding the monitor after the wait: the write gives up with the busy message
// and leaves the monitor as it was.
TEST_F(GraydenctlMonitor, WriteWhileAnotherTransferHoldsTheMonitorFailsAsBusy) {
    editState([](MonitorState& s) { s.mode = ReadyMode; });  // so connecting changes nothing
    const std::string before = readText(state);
    const std::string file = dir.file("curve.csv");
    writeText(file, formatToneText(makeDefaultCurve(1.9)));
    const int lock = ::open((state + ".lock").c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(lock, 0);
    ASSERT_EQ(::flock(lock, LOCK_EX), 0);
    const auto start = std::chrono::steady_clock::now();
    const ProgramResult r = monitor({"write", file});
    EXPECT_GE(std::chrono::steady_clock::now() - start, MonitorSession::TransferLockWait);
    ::close(lock);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, message(MsgMonitorBusy));
    EXPECT_EQ(readText(state), before);
}

// A stored word may unpack above 8160 (up to 8184); what is printed is a valid tone file.
TEST_F(GraydenctlMonitor, ReadPrintsLevelsAboveFullScaleClampedAsTheReaderLoadsThem) {
    editState([](MonitorState& s) {
        s.gammaCode = CustomTableGammaCode;
        s.stored[254] = 0x03FD;  // 1021 × 8 = 8168
        s.stored[255] = 0x03FF;  // 1023 × 8 = 8184
        s.preview = s.stored;
    });
    const std::string out = dir.file("read.csv");
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"read"}, {"read", "--bank", "preview"}, {"read", "--out", out}}) {
        auto r = monitor(args);
        ASSERT_EQ(r.status, 0) << r.err;
        if (args.back() == out) r.out = readText(out);
        const ToneTable t = table(r);
        EXPECT_EQ(t[253], unpackToneWord(packToneLevel(32 * 253))) << args.back();
        EXPECT_EQ(t[254], FullScale) << args.back();
        EXPECT_EQ(t[255], FullScale) << args.back();
    }
}

TEST_F(GraydenctlMonitor, UnwritableStandardOutputFails) {
    for (const auto output : {testing::StandardOutput::DevFull, testing::StandardOutput::ClosedPipe}) {
        for (const char* sub : {"list", "status", "read"}) {
            const auto r = testing::runProgram(Ctl, {"monitor", sub}, {"GRAYDEN_SIMULATOR=" + state}, output);
            EXPECT_EQ(r.status, 1) << sub;
            EXPECT_NE(r.err.find("Cannot write to standard output: "), std::string::npos) << sub << ": " << r.err;
        }
    }
}

TEST_F(GraydenctlMonitor, CalibratedMonitorRefusesEverySubcommand) {
    editState([](MonitorState& s) { s.calibrated = true; });
    const std::string before = readText(state);
    const std::string file = dir.file("curve.csv");
    writeText(file, formatToneText(identityTable()));
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"read"}, {"read", "--bank", "preview"}, {"write", file}, {"status"}, {"list"}}) {
        const auto r = monitor(args);
        EXPECT_EQ(r.status, 1) << args[0];
        EXPECT_EQ(r.err, message(MsgAlreadyCalibrated)) << args[0];
    }
    EXPECT_NE(monitor({"status"}).out.find("calibrated: yes"), std::string::npos);
    EXPECT_NE(monitor({"list"}).out.find("supported monitor QT440, calibrated"), std::string::npos);
    // Only the mode register changed: the start-up check sets it to 12.
    MonitorState after;
    std::string error;
    ASSERT_TRUE(parseMonitorState(readText(state), after, error)) << error;
    EXPECT_EQ(after.stored, factoryMonitorState().stored);
    EXPECT_NE(before, readText(state));
}

TEST_F(GraydenctlMonitor, NoSupportedMonitorGivesTheNoMonitorText) {
    for (const auto& edit : std::vector<std::function<void(MonitorState&)>>{
             [](MonitorState& s) { s.vendorId = 1133; }, [](MonitorState& s) { s.modelName = "QT441"; },
             [](MonitorState& s) { s.releaseNumber = 29999; }}) {
        editState(edit);
        for (const char* sub : {"read", "status"}) {
            const auto r = monitor({sub});
            EXPECT_EQ(r.status, 1);
            EXPECT_EQ(r.err, message(MsgNoMonitor)) << sub;
        }
    }
}

TEST_F(GraydenctlMonitor, ListShowsEveryDeviceAndNamesTheUdevRuleForUnopenableNodes) {
    editState([](MonitorState& s) { s.extraDevices = true; });
    const auto r = monitor({"list"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(
        r.out,
        "simulated:unaccepted-vendor  vendor 1133, product 1088, release 30000: vendor not accepted\n"
        "simulated:release-29999  vendor 4713, product 1088, release 29999: accepted vendor, release below 30000\n"
        "simulated:wrong-model  vendor 4714, product 1088, release 30000: accepted vendor, model \"qt440\" not "
        "supported\n"
        "simulated:two-collections  collection 1 of 2 (usage page 0x000c, usage 0x0001), vendor 4712, "
        "product 1088, release 30000: accepted vendor, no model name report\n"
        "simulated:two-collections  collection 2 of 2 (usage page 0xff00, usage 0x0001), vendor 4712, "
        "product 1088, release 30000: accepted vendor, model \"QT441\" not supported\n"
        "simulated:monitor  vendor 4712, product 1088, release 30000: supported monitor QT440\n"
        "simulated:no-access  permission denied: install the udev rule device/udev/70-grayden-kova.rules "
        "(see the README) and replug the monitor\n");
    EXPECT_TRUE(r.err.empty()) << r.err;
}

TEST_F(GraydenctlMonitor, NoMonitorAlsoNamesTheUdevRuleForUnopenableNodes) {
    editState([](MonitorState& s) {
        s.extraDevices = true;
        s.modelName = "QT441";
    });
    const std::string file = dir.file("curve.csv");
    writeText(file, formatToneText(identityTable()));
    const std::string hint =
        "simulated:no-access  permission denied: install the udev rule "
        "device/udev/70-grayden-kova.rules (see the README) and replug the monitor\n";
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"read"}, {"read", "--bank", "preview"}, {"write", file}, {"status"}}) {
        const auto r = monitor(args);
        EXPECT_EQ(r.status, 1) << args[0];
        EXPECT_EQ(r.err, message(MsgNoMonitor) + hint) << args[0];
    }
}

TEST_F(GraydenctlMonitor, MalformedStateFileIsReportedAndKept) {
    writeText(state, "vendorId=4712\ncalibrated=maybe\n");
    for (const char* sub : {"list", "status", "read"}) {
        const auto r = monitor({sub});
        EXPECT_EQ(r.status, 1) << sub;
        EXPECT_NE(r.err.find("line 2: calibrated"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(state), std::string::npos) << r.err;
    }
    EXPECT_EQ(readText(state), "vendorId=4712\ncalibrated=maybe\n");
}

TEST_F(GraydenctlMonitor, UnreadableToneFileIsRefusedBeforeTheMonitorIsTouched) {
    monitor({"status"});
    const std::string before = readText(state);
    auto r = monitor({"write", dir.file("missing.csv")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, message(MsgCannotOpenFile));
    const std::string bad = dir.file("bad.csv");
    writeText(bad, "1,2,3");
    r = monitor({"write", bad});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, message(MsgInvalidFileContents));
    EXPECT_EQ(readText(state), before);
}

TEST_F(GraydenctlMonitor, UsageErrorsExitWithTwo) {
    for (const auto& args : std::vector<std::vector<std::string>>{{},
                                                                  {"frob"},
                                                                  {"list", "extra"},
                                                                  {"read", "--bank", "middle"},
                                                                  {"read", "--bank"},
                                                                  {"read", "stray"},
                                                                  {"write"},
                                                                  {"write", "a.csv", "b.csv"},
                                                                  {"write", "a.csv", "--out", "x"}}) {
        const auto r = monitor(args);
        EXPECT_EQ(r.status, 2) << (args.empty() ? "" : args[0]);
        EXPECT_NE(r.err.find("usage: graydenctl monitor"), std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(state)) << "a usage error touches no monitor";
    const auto help = monitor({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: graydenctl monitor"), std::string::npos);
}

TEST(GraydenctlMonitorHidraw, ListWithoutHidrawNodesPrintsNothing) {
    std::error_code ec;
    if (std::filesystem::directory_iterator("/sys/class/hidraw", ec) != std::filesystem::directory_iterator()) {
        GTEST_SKIP() << "this machine has hidraw nodes";
    }
    const auto r = testing::runProgram(Ctl, {"monitor", "list"}, {"GRAYDEN_SIMULATOR="});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.empty()) << r.out;
    const auto read = testing::runProgram(Ctl, {"monitor", "read"}, {"GRAYDEN_SIMULATOR="});
    EXPECT_EQ(read.status, 1);
    EXPECT_EQ(read.err, message(MsgNoMonitor));
}

}  // namespace
}  // namespace grayden
