#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <future>

#include "device/TonePacking.h"
#include "device/simulated/SimulatedMonitorState.h"
#include "tests/support/TempDir.h"

namespace grayden {
namespace {

using testing::readText;
using testing::TempDir;
using testing::writeText;

std::string levels(int count, int value) {
    std::string s;
    for (int i = 0; i < count; ++i) s += (i ? "," : "") + std::to_string(value);
    return s;
}

std::string validText() {
    return "# a comment\n"
           "vendorId=4713\n"
           "productId = 7 \n"
           "releaseNumber=30001\r\n"
           "\n"
           "modelName=QT440  \n"
           "calibrated=1\n"
           "mode=12\n"
           "gammaCode=255\n"
           "stored=" +
           levels(255, 100) +
           ",1025\n"
           "preview=" +
           levels(256, 8184) + "\n";
}

TEST(SimulatedMonitorState, ParsesEveryKey) {
    MonitorState s;
    std::string error;
    ASSERT_TRUE(parseMonitorState(validText(), s, error)) << error;
    EXPECT_EQ(s.vendorId, 4713);
    EXPECT_EQ(s.productId, 7);
    EXPECT_EQ(s.releaseNumber, 30001);
    EXPECT_EQ(s.modelName, "QT440  ") << "the name keeps its padding; the host trims it";
    EXPECT_TRUE(s.calibrated);
    EXPECT_EQ(s.mode, 12);
    EXPECT_EQ(s.gammaCode, 255);
    EXPECT_EQ(unpackToneWord(s.stored[0]), 100);
    EXPECT_EQ(unpackToneWord(s.stored[255]), 1026) << "levels off the packing grid are quantised";
    EXPECT_EQ(unpackToneWord(s.preview[17]), 8184);
    EXPECT_FALSE(s.extraDevices);
}

TEST(SimulatedMonitorState, FormatThenParseGivesTheSameState) {
    MonitorState s = factoryMonitorState();
    s.modelName = "QT440 \t";
    s.calibrated = true;
    s.extraDevices = true;
    s.mode = 65535;
    for (int i = 0; i < 256; ++i) s.stored[i] = packToneLevel(i * 31);
    MonitorState back;
    std::string error;
    ASSERT_TRUE(parseMonitorState(formatMonitorState(s), back, error)) << error;
    EXPECT_EQ(back, s);
}

TEST(SimulatedMonitorState, FactoryMonitorIsGamma22AndNotCalibrated) {
    const MonitorState s = factoryMonitorState();
    EXPECT_EQ(s.gammaCode, 4);
    EXPECT_FALSE(s.calibrated);
    EXPECT_NE(s.mode, 12) << "a fresh monitor must first be switched to mode 12";
    for (int i = 0; i < 256; ++i) EXPECT_EQ(unpackToneWord(s.stored[i]), 32 * i);
}

TEST(SimulatedMonitorState, MalformedTextIsRefusedWithTheLineAndLeavesTheStateAlone) {
    const std::string good = validText();
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string t = good;
        t.replace(t.find(from), from.size(), to);
        return t;
    };
    const struct {
        std::string text;
        std::string expected;
    } cases[] = {
        {replaced("calibrated=1", "calibrate=1"), "line 7: unknown key 'calibrate'"},
        {replaced("calibrated=1", "calibrated=2"), "line 7: calibrated: '2' is not a whole number from 0 to 1"},
        {replaced("mode=12", "mode=65536"), "line 8: mode"},
        {replaced("mode=12", "mode=-1"), "line 8: mode"},
        {replaced("mode=12", "mode=12x"), "line 8: mode"},
        {replaced("mode=12", "mode="), "line 8: mode"},
        {replaced("mode=12", "mode 12"), "line 8: expected key=value"},
        {replaced("modelName=QT440  ", "modelName=QT440-LONG"), "line 6: modelName: longer than 8 bytes"},
        {replaced("modelName=QT440  ", std::string("modelName=QT\x01", 13)), "control character"},
        {replaced(",1025", ""), "line 10: stored: only 255 levels"},
        {replaced(",1025", ",1025,1"), "line 10: stored: more than 256 levels"},
        {replaced(",1025", ",1025,"), "line 10: stored: more than 256 levels"},
        {replaced(",1025", ",8185"), "line 10: stored: level 255 is '8185'"},
        {replaced(",1025", ",,"), "line 10: stored: level 255 is ''"},
        {replaced("gammaCode=255\n", ""), "missing key 'gammaCode'"},
        {good + "mode=12\n", "line 12: key 'mode' appears twice"},
    };
    for (const auto& c : cases) {
        MonitorState s = factoryMonitorState();
        std::string error;
        EXPECT_FALSE(parseMonitorState(c.text, s, error)) << c.expected;
        EXPECT_NE(error.find(c.expected), std::string::npos) << "got: " << error;
        EXPECT_EQ(s, factoryMonitorState());
    }
}

TEST(SimulatedMonitorStateFile, MissingFileIsCreatedFactoryFresh) {
    TempDir dir;
    const std::string path = dir.file("monitor.state");
    MonitorState s;
    std::string error;
    EXPECT_EQ(loadMonitorStateFile(path, s, error), StateFileResult::Created) << error;
    EXPECT_EQ(s, factoryMonitorState());
    EXPECT_EQ(readText(path), formatMonitorState(factoryMonitorState()));
    EXPECT_EQ(loadMonitorStateFile(path, s, error), StateFileResult::Loaded) << error;
}

TEST(SimulatedMonitorStateFile, MalformedFileIsReportedAndNeverReplaced) {
    TempDir dir;
    const std::string path = dir.file("monitor.state");
    const std::string text = "vendorId=4712\nmode=twelve\n";
    writeText(path, text);
    MonitorState s = factoryMonitorState();
    std::string error;
    EXPECT_EQ(loadMonitorStateFile(path, s, error), StateFileResult::Failed);
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_NE(error.find("line 2: mode"), std::string::npos) << error;
    EXPECT_EQ(readText(path), text);
}

TEST(SimulatedMonitorStateFile, UnreadableOrOddFilesFail) {
    TempDir dir;
    MonitorState s;
    std::string error;
    EXPECT_EQ(loadMonitorStateFile(dir.path().string(), s, error), StateFileResult::Failed) << "a directory";
    EXPECT_EQ(loadMonitorStateFile(dir.file("no/such/dir/state"), s, error), StateFileResult::Failed);
    EXPECT_FALSE(std::filesystem::exists(dir.file("no")));
    const std::string big = dir.file("big");
    writeText(big, std::string(2 << 20, '#'));
    EXPECT_EQ(loadMonitorStateFile(big, s, error), StateFileResult::Failed);
}

TEST(SimulatedMonitorStateFile, FifoIsRefusedWithoutWaitingForAWriter) {
    TempDir dir;
    const std::string fifo = dir.file("state.fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    auto load = std::async(std::launch::async, [&] {
        MonitorState s;
        std::string error;
        return loadMonitorStateFile(fifo, s, error);
    });
    const bool answered = load.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    if (!answered) {
        // Let a blocked open go on, so the test fails instead of hanging.
        ::close(::open(fifo.c_str(), O_WRONLY | O_NONBLOCK));
    }
    EXPECT_TRUE(answered) << "the load waited for a writer";
    EXPECT_EQ(load.get(), StateFileResult::Failed);
}

TEST(SimulatedMonitorStateFile, SaveReplacesTheWholeFileAndKeepsItsPermissions) {
    TempDir dir;
    const std::string path = dir.file("monitor.state");
    writeText(path, "old");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    MonitorState s = factoryMonitorState();
    s.gammaCode = 255;
    std::string error;
    ASSERT_TRUE(saveMonitorStateFile(path, s, error)) << error;
    EXPECT_EQ(readText(path), formatMonitorState(s));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "no temporary left";
}

TEST(SimulatedMonitorStateFile, MessagesQuoteFileNamesAndLinesWithoutControlCharacters) {
    const std::pair<std::string, std::string> quoted[] = {
        {"plain.state", "'plain.state'"},
        {"two\nlines", "'two\\nlines'"},
        {"\x1b[2J"
         "red\r\t",
         "'\\x1b[2Jred\\r\\t'"},
        {"back\\slash", "'back\\\\slash'"},
        {"del\x7f \xc2\x9b"
         "31m \xc3\xa9",
         "'del\\x7f \\xc2\\x9b31m \xc3\xa9'"},  // C1 CSI escaped, é kept
    };
    for (const auto& [text, expected] : quoted) EXPECT_EQ(quotedForMessage(text), expected);

    TempDir dir;
    const std::string path = dir.file("evil\n\x1b]0;title\x07.state");
    writeText(path, "vendorId=4712\nmode=\x1b[31m12\n");
    MonitorState s;
    std::string error;
    ASSERT_EQ(loadMonitorStateFile(path, s, error), StateFileResult::Failed);
    EXPECT_NE(error.find("evil\\n\\x1b]0;title\\x07.state"), std::string::npos) << error;
    EXPECT_NE(error.find("'\\x1b[31m12' is not a whole number"), std::string::npos) << error;
    for (const char c : error) EXPECT_GE(static_cast<unsigned char>(c), 0x20) << error;
}

}  // namespace
}  // namespace grayden
