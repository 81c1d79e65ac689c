#include <gtest/gtest.h>

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
using testing::writeText;

// graydenctl monitor --verify and --device against a simulated monitor in a state file.
class GraydenctlDevice : public ::testing::Test {
protected:
    ProgramResult monitor(std::vector<std::string> args) {
        args.insert(args.begin(), "monitor");
        return testing::runProgram(GRAYDENCTL_PATH, args, {"GRAYDEN_SIMULATOR=" + state});
    }
    void setState(const MonitorState& s) { writeText(state, formatMonitorState(s)); }

    testing::TempDir dir;
    const std::string state = dir.file("monitor.state");
    const std::string curve = dir.file("curve.csv");
};

TEST_F(GraydenctlDevice, VerifyPassesWhenTheTableLandedAndCatchesACorruptWrite) {
    // 1025 cannot be packed exactly; what the packing makes of it is no difference.
    ToneTable table = makeDefaultCurve(1.7);
    table[200] = 1025;
    writeText(curve, formatToneText(table));
    for (const char* bank : {"stored", "preview"}) {
        setState(factoryMonitorState());
        ProgramResult r = monitor({"write", curve, "--bank", bank, "--verify"});
        EXPECT_EQ(r.status, 0) << bank << ": " << r.err;
        EXPECT_TRUE(r.err.empty()) << r.err;

        // A monitor that takes every block but keeps its first level one step off.
        MonitorState corrupting = factoryMonitorState();
        corrupting.corruptBlockWrites = true;
        setState(corrupting);
        r = monitor({"write", curve, "--bank", bank});
        EXPECT_EQ(r.status, 0) << "without --verify the damage goes unseen";
        r = monitor({"write", "--verify", curve, "--bank", bank});
        EXPECT_EQ(r.status, 1) << bank;
        const int level0 = unpackToneWord(packToneLevel(table[0]) ^ 1);
        EXPECT_EQ(r.err, std::string("Verification failed: the monitor's ") + bank +
                             " table differs from what was written at 4 levels; level 0 holds " +
                             std::to_string(level0) + " instead of 0.\n");
    }
}

TEST_F(GraydenctlDevice, DeviceChoosesOneInterfaceForEverySubcommand) {
    MonitorState s = factoryMonitorState();
    s.extraDevices = true;
    setState(s);
    writeText(curve, formatToneText(makeDefaultCurve(2.0)));

    ProgramResult r = monitor({"list", "--device", "simulated:release-29999"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "simulated:release-29999  vendor 4713, product 1088, release 29999: accepted vendor, release below "
              "30000\n");
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"status"}, {"read"}, {"write", curve, "--verify"}, {"read", "--bank", "preview"}}) {
        std::vector<std::string> chosen = args;
        chosen.insert(chosen.end(), {"--device", "simulated:monitor"});
        r = monitor(chosen);
        EXPECT_EQ(r.status, 0) << args[0] << ": " << r.err;

        // Another device is not the monitor, even though the monitor is present.
        std::vector<std::string> other = args;
        other.insert(other.end(), {"--device", "simulated:wrong-model"});
        r = monitor(other);
        EXPECT_EQ(r.status, 1) << args[0];
        EXPECT_EQ(r.err, std::string(stringText(MsgNoMonitor, Language::English)) +
                             "\nOnly simulated:wrong-model was searched; 'graydenctl monitor list' shows every "
                             "device path.\n")
            << args[0];
    }
    r = monitor({"status", "--device"});
    EXPECT_EQ(r.status, 2);
    r = monitor({"list", "--verify"});
    EXPECT_EQ(r.status, 2) << "--verify belongs to write";
}

}  // namespace
}  // namespace grayden
