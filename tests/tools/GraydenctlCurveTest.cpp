#include <gtest/gtest.h>

#include "engine/GammaCurves.h"
#include "engine/ToneFile.h"
#include "tests/support/RunProgram.h"
#include "tests/support/TempDir.h"

namespace grayden {
namespace {

using testing::runProgram;

const std::string Ctl = GRAYDENCTL_PATH;

ToneTable parsed(const std::string& text) {
    ToneTable t{};
    EXPECT_TRUE(parseToneText(text, t));
    return t;
}

TEST(GraydenctlCurve, TwentyFourPointIdentityDiffersOnlyAroundTheWideStep) {
    const auto r = runProgram(Ctl, {"curve", "--points", "24", "--identity"});
    ASSERT_EQ(r.status, 0) << r.err;
    const ToneTable t = parsed(r.out);
    EXPECT_EQ(r.out, formatToneText(t)) << "standard output carries the written form exactly";
    for (int i = 0; i < 256; ++i) {
        const bool shifted = i >= 128 && i <= 141 && i != 133;
        EXPECT_EQ(t[i] != 32 * i, shifted) << i;
    }
    EXPECT_EQ(t[128], 4097);
}

TEST(GraydenctlCurve, EditedThreePointCurve) {
    const auto r = runProgram(
        Ctl, {"curve", "--points", "3", "--identity", "--set", "0=0", "--set", "127=1000", "--set", "255=8160"});
    ASSERT_EQ(r.status, 0) << r.err;
    const ToneTable t = parsed(r.out);
    for (int i = 1; i <= 85; ++i) EXPECT_EQ(t[i], 0) << i;
    EXPECT_EQ(t[86], 6);
    EXPECT_EQ(t[200], 4336);
}

TEST(GraydenctlCurve, SourcesAndOutputs) {
    testing::TempDir dir;
    const std::string out = dir.file("g.csv");
    auto r = runProgram(Ctl, {"curve", "--points", "256", "--default-curve", "2.2", "--out", out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(testing::readText(out), formatToneText(makeDefaultCurve(2.2)));

    r = runProgram(Ctl, {"curve", "--csv", out, "--points", "256"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, testing::readText(out));

    r = runProgram(Ctl, {"curve", "--monitor-gamma", "2.2"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(parsed(r.out), identityTable());

    r = runProgram(Ctl, {"curve", "--panel-gamma", "1.1", "--monitor-gamma", "2.2", "--points", "256"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(parsed(r.out), makeMonitorGammaCurve(2.2, 1.1));

    r = runProgram(Ctl, {"curve", "--identity", "--points", "5", "--print", "points"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "0,0\n63,2016\n127,4064\n191,6112\n255,8160\n");
}

TEST(GraydenctlCurve, FailuresUseTheSystemTextsAndStatusOne) {
    testing::TempDir dir;
    const std::string bad = dir.file("bad.csv");
    testing::writeText(bad, "1,2,3");
    struct Case {
        std::vector<std::string> args;
        std::string text;
    };
    const Case cases[] = {
        {{"curve", "--csv", dir.file("missing.csv")}, "Cannot open the file or invalid file type."},
        {{"curve", "--csv", bad}, "Invalid file contents."},
        {{"curve", "--default-curve", "0.4"}, "Input the value between 0.5 and 10."},
        {{"curve", "--identity", "--set", "5=100"}, "not a control point"},
        {{"curve", "--identity", "--out", dir.file("no/such/dir.csv")}, "Cannot open the file or invalid file type."},
    };
    for (const Case& c : cases) {
        const auto r = runProgram(Ctl, c.args);
        EXPECT_EQ(r.status, 1) << c.args.back();
        EXPECT_NE(r.err.find(c.text), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
}

TEST(GraydenctlCurve, UsageErrorsExitTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"frobnicate"},
        {"curve"},
        {"curve", "--identity", "--csv", "x"},
        {"curve", "--identity", "--points", "7"},
        {"curve", "--identity", "--set", "31"},
        {"curve", "--identity", "--points"},
        {"curve", "--default-curve", "2x"},
    };
    for (const auto& args : cases) {
        const auto r = runProgram(Ctl, args);
        EXPECT_EQ(r.status, 2) << (args.empty() ? "" : args.back());
        EXPECT_NE(r.err.find("usage"), std::string::npos);
    }
}

// --set takes plain decimal digits in range and nothing that merely starts like a number.
TEST(GraydenctlCurve, SetRefusesAnythingButWholeDecimalNumbersInRange) {
    const char* refused[] = {
        "31=abc", "31=1e3",         "31=5.9", "31=0x10", "31=",   "31=nan", "31=-1",  "31=8161", "31=+5", "31= 5",
        "31=5 ",  "31=99999999999", "+31=5",  " 31=5",   "256=5", "-1=5",   "0x1F=5", "abc=5",   "=5",    "31=5=6",
    };
    for (const char* set : refused) {
        const auto r = runProgram(Ctl, {"curve", "--points", "256", "--identity", "--set", set});
        EXPECT_EQ(r.status, 2) << set;
        EXPECT_NE(r.err.find("usage: graydenctl curve"), std::string::npos) << set;
        EXPECT_NE(r.err.find("0..8160"), std::string::npos) << set;
        EXPECT_TRUE(r.out.empty()) << set;
    }
    const auto r = runProgram(Ctl, {"curve", "--points", "256", "--identity", "--set", "0=8160", "--set", "255=0",
                                    "--set", "031=01000", "--print", "points"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.starts_with("0,8160\n")) << r.out;
    EXPECT_NE(r.out.find("\n31,1000\n"), std::string::npos);
    EXPECT_TRUE(r.out.ends_with("\n255,0\n"));
}

// Output that cannot be written is a failure, whether the disk is full or the reader has gone.
TEST(GraydenctlCurve, UnwritableStandardOutputFails) {
    const std::vector<std::vector<std::string>> commands = {
        {"--help"},
        {"curve", "--help"},
        {"monitor", "--help"},
        {"curve", "--identity"},
        {"curve", "--identity", "--print", "points"},
    };
    for (const auto output : {testing::StandardOutput::DevFull, testing::StandardOutput::ClosedPipe}) {
        for (const auto& args : commands) {
            const auto r = runProgram(Ctl, args, {}, output);
            const std::string what = args.back() + (output == testing::StandardOutput::DevFull ? " >/dev/full" : " |");
            EXPECT_EQ(r.status, 1) << what;
            EXPECT_NE(r.err.find("Cannot write to standard output: "), std::string::npos) << what << ": " << r.err;
        }
    }
}

}  // namespace
}  // namespace grayden
