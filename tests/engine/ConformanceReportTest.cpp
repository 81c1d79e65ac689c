#include <gtest/gtest.h>

#include <cmath>

#include "engine/ConformanceReport.h"
#include "engine/Gsdf.h"
#include "engine/GsdfCurve.h"
#include "tests/support/SyntheticPanel.h"

namespace grayden {
namespace {

using testing::eighteenLevels;

// A display that follows the standard exactly between its black and white.
MeasurementList conformingDisplay(double lmin, double lmax) {
    const double jMin = gsdfJndIndex(lmin);
    const double jMax = gsdfJndIndex(lmax);
    MeasurementList list;
    for (int level : eighteenLevels()) {
        list.push_back({level, gsdfLuminance(jMin + (jMax - jMin) * level / 255.0), static_cast<int>(list.size()) + 1});
    }
    return list;
}

TEST(ConformanceReport, ConformingDisplayPasses) {
    ConformanceReport report;
    ASSERT_TRUE(makeConformanceReport(conformingDisplay(0.8, 400), {}, report).ok());
    EXPECT_TRUE(report.passed);
    ASSERT_EQ(report.steps.size(), 17u);
    EXPECT_NEAR(report.largestDeviationPercent, 0, 1e-6);
    EXPECT_EQ(report.steps[0].lowerLevel, 0);
    EXPECT_EQ(report.steps[16].upperLevel, 255);
    EXPECT_NEAR(report.expectedLuminance(255), 400, 1e-6);
    for (const ConformanceStep& s : report.steps) EXPECT_GT(s.expected, 0);
}

TEST(ConformanceReport, CurveMadeForAPanelConformsOnThatPanel) {
    // The whole road: a gamma 2.2 panel measured through the straight line, its curve, and the
    // panel measured again through that curve.
    const auto panel = testing::gammaPanel(0.5, 350, 2.2);
    const GsdfTarget target{0.5, 350, 0};
    ToneTable curve{};
    ASSERT_TRUE(makeGsdfMeasuredCurve(target, testing::measure(panel, identityTable(), eighteenLevels()),
                                      identityTable(), curve)
                    .ok());
    ConformanceReport report;
    ASSERT_TRUE(makeConformanceReport(testing::measure(panel, curve, eighteenLevels()), {}, report).ok());
    EXPECT_TRUE(report.passed) << report.largestDeviationPercent;
    EXPECT_LT(std::abs(report.largestDeviationPercent), 3.0);

    // Without the curve the same panel is far from the standard in the dark.
    ASSERT_TRUE(makeConformanceReport(testing::measure(panel, identityTable(), eighteenLevels()), {}, report).ok());
    EXPECT_FALSE(report.passed);
    EXPECT_GT(std::abs(report.largestDeviationPercent), 50.0);
    EXPECT_LT(report.worstStep, 3) << "the darkest steps are the furthest off";
}

TEST(ConformanceReport, OneStepOffDecidesTheVerdictAgainstTheTolerance) {
    // Level 135 brighter by 4 %: its lower step gains about as much contrast as its upper one loses.
    MeasurementList list = conformingDisplay(0.8, 400);
    list[9].luminance *= 1.04;
    ConformanceReport report;
    ASSERT_TRUE(makeConformanceReport(list, {.ambient = 0, .tolerancePercent = 10}, report).ok());
    EXPECT_FALSE(report.passed);
    EXPECT_EQ(report.worstStep, 9);
    EXPECT_LT(report.largestDeviationPercent, -10);
    EXPECT_GT(report.steps[8].deviationPercent, 10);
    for (int k : {0, 7, 10, 16}) EXPECT_NEAR(report.steps[k].deviationPercent, 0, 1e-6) << k;
    const double worst = std::abs(report.largestDeviationPercent);
    ASSERT_TRUE(makeConformanceReport(list, {.ambient = 0, .tolerancePercent = worst + 0.01}, report).ok());
    EXPECT_TRUE(report.passed);
    ASSERT_TRUE(makeConformanceReport(list, {.ambient = 0, .tolerancePercent = worst - 0.01}, report).ok());
    EXPECT_FALSE(report.passed);
}

TEST(ConformanceReport, RoomLightIsAddedToEveryMeasurement) {
    // Conforming with 1 cd/m² of room light, measured without it.
    MeasurementList list = conformingDisplay(1.5, 300);
    for (Measurement& m : list) m.luminance -= 1.0;
    ConformanceReport report;
    ASSERT_TRUE(makeConformanceReport(list, {.ambient = 1.0}, report).ok());
    EXPECT_TRUE(report.passed);
    ASSERT_TRUE(makeConformanceReport(list, {.ambient = 0}, report).ok());
    EXPECT_FALSE(report.passed);
}

TEST(ConformanceReport, RefusesMeasurementsItCannotJudge) {
    ConformanceReport report;
    MeasurementList dark = conformingDisplay(0.8, 400);
    dark[0].luminance = 0.04;
    GsdfProblem p = makeConformanceReport(dark, {}, report);
    EXPECT_EQ(p.error, GsdfError::OutsideGsdfRange);
    EXPECT_EQ(p.line, 1);
    EXPECT_TRUE(makeConformanceReport(dark, {.ambient = 0.02}, report).ok());
    MeasurementList blinding = conformingDisplay(0.8, 400);
    blinding.back().luminance = 1e300;
    EXPECT_EQ(makeConformanceReport(blinding, {}, report).error, GsdfError::OutsideGsdfRange);

    MeasurementList falling = conformingDisplay(0.8, 400);
    falling.back().luminance = 0.7;
    EXPECT_EQ(makeConformanceReport(falling, {}, report).error, GsdfError::ResponseFlat);
    MeasurementList few = conformingDisplay(0.8, 400);
    few.resize(7);
    EXPECT_EQ(makeConformanceReport(few, {}, report).error, GsdfError::TooFewMeasurements);
    EXPECT_EQ(makeConformanceReport(conformingDisplay(0.8, 400), {.ambient = -1}, report).error,
              GsdfError::AmbientNegative);
}

}  // namespace
}  // namespace grayden
