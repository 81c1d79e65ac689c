#include <gtest/gtest.h>

#include "engine/ConformanceCriteria.h"
#include "engine/ConformanceDocument.h"
#include "engine/Gsdf.h"
#include "tests/support/SyntheticPanel.h"

namespace grayden {
namespace {

// A report as the checks see it: the darkest and brightest luminance (ambient included), the
// ambient and the largest deviation of the contrast response.
ConformanceReport reportOf(double lowest, double highest, double ambient, double deviation) {
    ConformanceReport r;
    r.steps = {{0, 128, lowest, 20, 0, 0, 0}, {128, 255, 20, highest, 0, 0, 0}};
    r.ambient = ambient;
    r.firstJndIndex = 50;
    r.lastJndIndex = 650;
    r.largestDeviationPercent = deviation;
    return r;
}

TEST(ConformanceCriteria, ChecksAgainstHandWorkedValues) {
    struct Case {
        const char* display;
        ConformanceReport report;
        ConformanceCriteria criteria;
        double maxLuminance;
        double ratio;
        bool contrast, lmax, ratioPassed, overall;
    };
    const Case cases[] = {
        // Lmax 350.2 − 0.2; ratio 350.2 / 0.7.
        {"passing", reportOf(0.7, 350.2, 0.2, -4.0), Tg18Primary, 350, 500.285714, true, true, true, true},
        // Lmax 150.8 − 0.3; ratio 150.8 / 0.8: too dim and too flat for a primary display, and
        // 12.5 % off the standard, yet within all three limits of a secondary one.
        {"failing", reportOf(0.8, 150.8, 0.3, 12.5), Tg18Primary, 150.5, 188.5, false, false, false, false},
        {"failing", reportOf(0.8, 150.8, 0.3, 12.5), Tg18Secondary, 150.5, 188.5, true, true, true, true},
        // Each limit itself passes.
        {"at the limits", reportOf(0.68, 170, 0, -10), Tg18Primary, 170, 250, true, true, true, true},
        {"one above", reportOf(0.5, 170, 0, 20.01), Tg18Secondary, 170, 340, false, true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.display) + " under " + std::string(c.criteria.name));
        const ConformanceVerdict v = judgeConformance(c.report, c.criteria);
        EXPECT_NEAR(v.maxLuminance, c.maxLuminance, 1e-9);
        EXPECT_NEAR(v.luminanceRatio, c.ratio, 1e-6);
        EXPECT_DOUBLE_EQ(v.jndSpan, 600);
        ASSERT_EQ(v.checks.size(), 3u);
        EXPECT_EQ(v.checks[0].kind, CheckKind::ContrastResponse);
        EXPECT_EQ(v.checks[0].value, c.report.largestDeviationPercent);
        EXPECT_EQ(v.checks[0].limit, c.criteria.contrastTolerancePercent);
        EXPECT_EQ(v.checks[1].limit, c.criteria.minMaxLuminance);
        EXPECT_EQ(v.checks[2].limit, c.criteria.minLuminanceRatio);
        EXPECT_EQ(v.checks[0].passed, c.contrast);
        EXPECT_EQ(v.checks[1].passed, c.lmax);
        EXPECT_EQ(v.checks[2].passed, c.ratioPassed);
        EXPECT_EQ(v.passed, c.overall);
    }
}

TEST(ConformanceCriteria, AmbientNotMeasuredCountsAsZeroAndFailsNothing) {
    MeasurementList display;
    for (const int level : testing::eighteenLevels()) {
        display.push_back({level, gsdfLuminance(60 + 600 * level / 255.0), 0});
    }
    ConformanceDocument unmeasured;
    ConformanceDocument zero;
    ASSERT_TRUE(makeConformanceDocument(display, identityTable(), Tg18Primary, {}, unmeasured).ok());
    ReportFacts measured;
    measured.ambient = 0;
    ASSERT_TRUE(makeConformanceDocument(display, identityTable(), Tg18Primary, measured, zero).ok());
    EXPECT_FALSE(unmeasured.facts.ambient);
    EXPECT_TRUE(unmeasured.verdict.passed);
    EXPECT_EQ(unmeasured.verdict.checks.size(), zero.verdict.checks.size());
    EXPECT_EQ(unmeasured.verdict.luminanceRatio, zero.verdict.luminanceRatio);
    EXPECT_EQ(unmeasured.report.largestDeviationPercent, zero.report.largestDeviationPercent);
    EXPECT_EQ(findCriteria("tg18-secondary")->minMaxLuminance, 100);
    EXPECT_FALSE(findCriteria("tg18"));
}

}  // namespace
}  // namespace grayden
