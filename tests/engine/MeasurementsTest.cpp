#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <filesystem>

#include "engine/Measurements.h"
#include "resources/ErrorMessages.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "tests/support/TempDir.h"

namespace grayden {
namespace {

// Eight good lines to build cases from.
const std::string Good = "0,0.5\n32,2\n64,6\n96,14\n128,30\n160,60\n192,110\n255,350\n";

TEST(Measurements, ReadsLinesWithTheirNumbers) {
    MeasurementList list;
    const std::string text =
        "\xEF\xBB\xBF# panel A, 2026-12-01\r\nLevel , Luminance\r\n\r\n  0 , 0.52\r\n32,2.0e0\r\n64,6\n96,14\n"
        "128,30\n160,60\n192,110\n255,350.25";
    const GsdfProblem p = parseMeasurements(text, list);
    ASSERT_TRUE(p.ok()) << static_cast<int>(p.error) << " line " << p.line;
    ASSERT_EQ(list.size(), 8u);
    EXPECT_EQ(list[0].level, 0);
    EXPECT_DOUBLE_EQ(list[0].luminance, 0.52);
    EXPECT_EQ(list[0].line, 4);
    EXPECT_EQ(list[7].level, 255);
    EXPECT_DOUBLE_EQ(list[7].luminance, 350.25);
    EXPECT_EQ(list[7].line, 11);
}

TEST(Measurements, RefusesBadLinesNamingThem) {
    struct Case {
        std::string text;
        GsdfError error;
        int line;
    };
    const Case cases[] = {
        {"0 0.5\n" + Good, GsdfError::MeasurementSyntax, 1},
        {"0;0.5\n" + Good, GsdfError::MeasurementSyntax, 1},
        {Good + "\n1,2,3\n", GsdfError::MeasurementSyntax, 10},
        {"5,\n" + Good, GsdfError::MeasurementSyntax, 1},
        {",5\n" + Good, GsdfError::MeasurementSyntax, 1},
        {"256,5\n", GsdfError::LevelOutOfRange, 1},
        {"-1,5\n", GsdfError::LevelOutOfRange, 1},
        {"1.5,5\n", GsdfError::LevelOutOfRange, 1},
        {"0x10,5\n", GsdfError::LevelOutOfRange, 1},
        {"99999999999,5\n", GsdfError::LevelOutOfRange, 1},
        {"# header\nlevel,luminance\nlevel,luminance\n", GsdfError::LevelOutOfRange, 3},
        {"0,0.5\n0,0.6\n", GsdfError::LevelNotIncreasing, 2},
        {"10,0.5\n\n# dark\n9,0.6\n", GsdfError::LevelNotIncreasing, 4},
        {"0,0\n", GsdfError::LuminanceNotPositive, 1},
        {"0,-2\n", GsdfError::LuminanceNotPositive, 1},
        {"0,nan\n", GsdfError::LuminanceNotPositive, 1},
        {"0,inf\n", GsdfError::LuminanceNotPositive, 1},
        {"0,1e999\n", GsdfError::LuminanceNotPositive, 1},
        {"0,5 cd\n", GsdfError::LuminanceNotPositive, 1},
        {"0,1\n1,2\n2,3\n3,4\n4,5\n5,6\n6,7\n", GsdfError::TooFewMeasurements, 0},
        {"", GsdfError::TooFewMeasurements, 0},
    };
    for (const Case& c : cases) {
        MeasurementList list{{1, 1.0, 1}};
        const GsdfProblem p = parseMeasurements(c.text, list);
        EXPECT_EQ(p.error, c.error) << c.text;
        EXPECT_EQ(p.line, c.line) << c.text;
        EXPECT_EQ(list.size(), 1u) << "left as it was: " << c.text;
        // Every refusal has its own text in both languages, with a place for the line it names.
        const int id = gsdfMessageId(p.error);
        for (Language language : {Language::English, Language::Japanese}) {
            const std::string_view text = stringText(id, language);
            ASSERT_FALSE(text.empty()) << id;
            EXPECT_EQ(text.find("%d") != std::string_view::npos, gsdfMessageNamesLine(p.error)) << text;
        }
    }
}

TEST(Measurements, FileIsReadOnlyWhenItIsARegularFileWithinTheLimit) {
    testing::TempDir dir;
    MeasurementList list;
    const std::string good = dir.file("good.csv");
    testing::writeText(good, Good);
    EXPECT_TRUE(readMeasurementFile(good, list).ok());
    EXPECT_EQ(list.size(), 8u);

    const std::string large = dir.file("large.csv");
    testing::writeText(large, Good + std::string(MaxMeasurementFileBytes, '\n'));
    // Each refusal keeps why, for the message: the system's errno or a reason of our own.
    GsdfProblem p = readMeasurementFile(large, list);
    EXPECT_EQ(unreadableReasonId(p), ReasonMeasurementFileTooLarge);
    p = readMeasurementFile(dir.path().string(), list);
    EXPECT_EQ(unreadableReasonId(p), FileNotRegular);
    p = readMeasurementFile(dir.file("missing.csv"), list);
    EXPECT_EQ(p.error, GsdfError::CannotReadMeasurements);
    EXPECT_EQ(unreadableReasonId(p), 0);
    EXPECT_EQ(p.systemError, ENOENT);
    EXPECT_EQ(list.size(), 8u);
}

// What a curve and a report both ask of measurements, ambient light included in the range.
TEST(Measurements, CheckAcceptsTheStandardsRangeWithAmbientLightAndNothingElse) {
    struct Case {
        int at;  // the measurement changed, of eight
        int level;
        double luminance;
        double ambient;
        GsdfError error;
    };
    const Case cases[] = {
        {0, 0, 0.05, 0, GsdfError::None},
        {7, 255, 4000, 0, GsdfError::None},
        {0, 0, 0.04, 0.01, GsdfError::None},
        {0, 0, 0.04, 0, GsdfError::OutsideGsdfRange},
        {7, 255, 1e300, 0, GsdfError::OutsideGsdfRange},
        {7, 255, 3999.5, 1, GsdfError::OutsideGsdfRange},
        {7, 255, INFINITY, 0, GsdfError::OutsideGsdfRange},
        {0, 0, 0, 1, GsdfError::LuminanceNotPositive},
        {0, 0, NAN, 0, GsdfError::LuminanceNotPositive},
        {7, 256, 350, 0, GsdfError::LevelOutOfRange},
        {1, 0, 2, 0, GsdfError::LevelNotIncreasing},
    };
    MeasurementList good;
    ASSERT_TRUE(parseMeasurements(Good, good).ok());
    for (const Case& c : cases) {
        MeasurementList list = good;
        list[c.at].level = c.level;
        list[c.at].luminance = c.luminance;
        const GsdfProblem p = checkMeasurements(list, c.ambient);
        EXPECT_EQ(p.error, c.error) << c.at << " " << c.luminance << " " << c.ambient;
        EXPECT_EQ(p.line, c.error == GsdfError::None ? 0 : list[c.at].line) << c.at << " " << c.luminance;
    }
    EXPECT_EQ(checkMeasurements(std::span(good).first(7), 0).error, GsdfError::TooFewMeasurements);
}

// The ambient a written file records reads back; other lines that look like one do not.
TEST(MeasurementText, RecordedAmbientReadsBack) {
    const MeasurementList taken = {{0, 0.5}};
    for (const std::optional<double> ambient :
         {std::optional<double>(0.25), std::optional<double>(0.0), std::optional<double>()}) {
        EXPECT_EQ(recordedAmbient(formatMeasurementText(taken, ambient, "2026-12-09T04:00:00Z")), ambient);
    }
    EXPECT_EQ(recordedAmbient("# ambient -1 cd/m2\n# ambient 2x cd/m2\n"), std::nullopt);
    EXPECT_EQ(recordedAmbient("0,1\r\n# ambient 1.5 cd/m2\r\n"), 1.5);
}

}  // namespace
}  // namespace grayden
