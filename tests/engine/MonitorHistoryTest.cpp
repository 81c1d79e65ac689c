#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/MonitorHistory.h"
#include "tests/support/TempDir.h"

namespace grayden {
namespace {

using testing::readText;
using testing::writeText;

HistoryRecord record(const std::string& date, bool passed, double lmax) {
    HistoryRecord r;
    r.date = date;
    r.criteria = "tg18-primary";
    r.passed = passed;
    r.maxLuminance = lmax;
    r.luminanceRatio = lmax / 0.8;
    r.largestDeviationPercent = passed ? -3.25 : 14.5;
    r.ambient = passed ? std::optional<double>(0.3) : std::nullopt;
    r.measurementFile = "after \"2\"\tß.csv";  // quoting, control characters and UTF-8 survive
    r.monitorModel = "QT440";
    return r;
}

TEST(MonitorHistory, AppendsWithoutRewritingEarlierLines) {
    const testing::TempDir dir;
    const std::string path = dir.file("history/QT440-1268-0440.jsonl");
    ASSERT_TRUE(appendHistoryRecord(path, record("2026-11-02T09:00:00+09:00", true, 350)));
    const std::string first = readText(path);
    ASSERT_TRUE(appendHistoryRecord(path, record("2026-12-01T09:30:00+09:00", false, 160)));
    const std::string both = readText(path);
    EXPECT_TRUE(both.starts_with(first));
    EXPECT_EQ(std::count(both.begin(), both.end(), '\n'), 2);

    // A last line cut short by a crash stays a line of its own.
    writeText(path, both + "{\"date\":\"2026-12-0");
    ASSERT_TRUE(appendHistoryRecord(path, record("2026-12-08T10:00:00Z", true, 340)));
    MonitorHistory history;
    ASSERT_EQ(readHistoryFile(path, history), FileReadError::None);
    ASSERT_EQ(history.records.size(), 3u);
    EXPECT_EQ(history.records[0], record("2026-11-02T09:00:00+09:00", true, 350));
    EXPECT_EQ(history.records[1], record("2026-12-01T09:30:00+09:00", false, 160));
    EXPECT_EQ(history.corruptLines, std::vector<int>{3});

    MonitorHistory none;
    EXPECT_EQ(readHistoryFile(dir.file("missing.jsonl"), none), FileReadError::None);
    EXPECT_TRUE(none.records.empty());
}

TEST(MonitorHistory, CorruptLinesAreNamedAndSkipped) {
    const std::string good = formatHistoryLine(record("2026-11-02T09:00:00+09:00", true, 350));
    const char* corrupt[] = {
        "not json",
        R"({"date":"2026-11-02T09:00:00Z","verdict":"pass","lmax":350,"ratio":400})",  // no deviation
        R"({"date":"2026-13-02T09:00:00Z","verdict":"pass","lmax":350,"ratio":400,"largestDeviation":1})",
        R"({"date":"2026-11-02","verdict":"pass","lmax":350,"ratio":400,"largestDeviation":1})",
        R"({"date":"2026-11-02T09:00:00Z","verdict":"maybe","lmax":350,"ratio":400,"largestDeviation":1})",
        R"({"date":"2026-11-02T09:00:00Z","verdict":"pass","lmax":"350","ratio":400,"largestDeviation":1})",
        R"({"date":"2026-11-02T09:00:00Z","verdict":"pass","lmax":350,"ratio":{},"largestDeviation":1})",
        R"({"date":"2026-11-02T09:00:00Z","verdict":"pass","lmax":350,"ratio":400,"largestDeviation":1} x)",
        R"({"date":"2026-11-02T09:00:00Z","verdict":"pass","lmax":+350,"ratio":400,"largestDeviation":1})",
        R"({"date":"2026-11-02T09:00:00Z\ud800","verdict":"pass","lmax":350,"ratio":4,"largestDeviation":1})",
    };
    std::string text = good + "\n\n";
    for (const char* line : corrupt) text += std::string(line) + "\n";
    text += good + "\r\n";
    MonitorHistory history;
    parseHistoryText(text, history);
    EXPECT_EQ(history.records.size(), 2u);
    EXPECT_EQ(history.corruptLines, (std::vector<int>{3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
}

TEST(MonitorHistory, TrendIsInTimeWhateverTheOffset) {
    // The same moment in two zones, and the order a trend is drawn in.
    EXPECT_EQ(isoTimeSeconds("2026-12-09T09:30:00+09:00"), isoTimeSeconds("2026-12-09T00:30:00Z"));
    EXPECT_EQ(isoTimeSeconds("1970-01-02T00:00:00-01:30"), 86400 + 5400);
    EXPECT_LT(*isoTimeSeconds("2026-12-31T23:59:59Z"), *isoTimeSeconds("2027-01-01T00:00:00Z"));
    EXPECT_FALSE(isoTimeSeconds("2026-02-29T00:00:00Z"));
    EXPECT_FALSE(isoTimeSeconds("2026-12-09T00:30:00+0900"));
    const std::string now = isoLocalTime(1765272600);
    EXPECT_EQ(isoTimeSeconds(now), 1765272600) << now;
}

TEST(MonitorHistory, OneFilePerMonitorUnderTheDataFolder) {
    EXPECT_EQ(historyFileName({"QT440", 4712, 0x0440, ""}), "QT440-1268-0440.jsonl");
    EXPECT_EQ(historyFileName({"../x y", 1, 2, ""}), "monitor.._x_y-0001-0002.jsonl");
    EXPECT_EQ(historyFileName({"QT440", 4712, 0x0440, "A1/2 3"}), "QT440-1268-0440-A1_2_3.jsonl");
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::setenv("XDG_DATA_HOME", "/data", 1);
    EXPECT_EQ(historyFolder(), "/data/grayden/history");
    ::setenv("XDG_DATA_HOME", "relative", 1);
    ::setenv("HOME", "/home/u", 1);
    EXPECT_EQ(historyFolder(), "/home/u/.local/share/grayden/history");
    ::unsetenv("XDG_DATA_HOME");
    ::setenv("HOME", home.c_str(), 1);
}

}  // namespace
}  // namespace grayden
