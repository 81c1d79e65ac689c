#include <gtest/gtest.h>

#include <cmath>

#include "engine/GammaCurves.h"
#include "engine/Gsdf.h"
#include "engine/GsdfCurve.h"
#include "tests/support/SyntheticPanel.h"

namespace grayden {
namespace {

using testing::eighteenLevels;
using testing::gammaPanel;
using testing::measure;

// The published direct polynomial of j in log10 L, an approximation of the inverse.
double publishedJndIndex(double luminance) {
    const double c[] = {71.498068,  94.593053,   41.912053,  9.8247004,   0.28175407,
                        -1.1878455, -0.18014349, 0.14710899, -0.017046845};
    const double x = std::log10(luminance);
    double j = 0;
    for (int i = 8; i >= 0; --i) j = j * x + c[i];
    return j;
}

TEST(Gsdf, LuminanceMatchesTheTableEnds) {
    EXPECT_NEAR(gsdfLuminance(1), 0.0500, 0.00005);
    // The table lists 3993.404, which the published formula meets to 0.002 %.
    EXPECT_NEAR(gsdfLuminance(1023), 3993.4, 0.0001 * 3993.4);
    // Outside the index range the function holds its ends.
    EXPECT_EQ(gsdfLuminance(0), gsdfLuminance(1));
    EXPECT_EQ(gsdfLuminance(5000), gsdfLuminance(1023));
}

TEST(Gsdf, IndexInvertsLuminanceAndAgreesWithThePublishedInverse) {
    double previous = 0;
    for (double j = 1; j <= 1023; j += 0.5) {
        const double l = gsdfLuminance(j);
        ASSERT_GT(l, previous) << j;
        previous = l;
        const double back = gsdfJndIndex(l);
        ASSERT_NEAR(back, j, 1e-6 * j) << j;
        ASSERT_NEAR(gsdfLuminance(back), l, 0.003 * l) << j;
        // Both published forms describe the same function to well within one index.
        ASSERT_NEAR(publishedJndIndex(l), j, 1.0) << j;
    }
    for (double l = 0.05; l <= 3993; l *= 1.07) ASSERT_NEAR(gsdfLuminance(gsdfJndIndex(l)), l, 0.003 * l) << l;
    EXPECT_EQ(gsdfJndIndex(0.01), 1.0) << "below the range";
    EXPECT_EQ(gsdfJndIndex(1e6), 1023.0) << "above the range";
    EXPECT_EQ(gsdfJndIndex(std::nan("")), 1.0);
}

struct ModelCase {
    double lmin, lmax, ambient, gamma;
};

class GsdfModelCurve : public ::testing::TestWithParam<ModelCase> {};

// Each level's drive value found by a walk over every whole drive value of the panel: the one
// whose light (with the room's) comes closest to the level's target.
TEST_P(GsdfModelCurve, MatchesASearchOverThePanelResponse) {
    const ModelCase c = GetParam();
    const GsdfTarget target{c.lmin, c.lmax, c.ambient};
    const auto panel = gammaPanel(c.lmin, c.lmax, c.gamma);
    ToneTable table{};
    ASSERT_TRUE(makeGsdfModelCurve(target, c.gamma, table).ok());
    const double jMin = gsdfJndIndex(c.lmin + c.ambient);
    const double jMax = gsdfJndIndex(c.lmax + c.ambient);
    int drive = 0;
    for (int i = 0; i < LevelCount; ++i) {
        const double j = jMin + (jMax - jMin) * i / 255.0;
        const double wanted = gsdfLuminance(j) - c.ambient;
        while (drive < FullScale && panel(drive + 1) <= wanted) ++drive;
        const int best = drive < FullScale && panel(drive + 1) - wanted < wanted - panel(drive) ? drive + 1 : drive;
        ASSERT_NEAR(table[i], best, 1) << "level " << i;
    }
    EXPECT_EQ(table[0], 0);
    // The standard ends at L(1023), so a brighter panel is not driven to its full light.
    EXPECT_EQ(table[255] == FullScale, c.lmax + c.ambient <= gsdfLuminance(MaxJndIndex)) << table[255];
}

INSTANTIATE_TEST_SUITE_P(Panels, GsdfModelCurve,
                         ::testing::Values(ModelCase{0.5, 350, 0, 2.2}, ModelCase{0.8, 600, 0.2, 2.5},
                                           ModelCase{0.05, 3999.9, 0, 1.0}, ModelCase{0.05, 3990, 0, 1.0},
                                           ModelCase{1.2, 170, 3, 1.8}));

TEST(GsdfModelCurve, RefusesTargetsOutsideTheStandard) {
    struct Case {
        GsdfTarget target;
        double gamma;
        GsdfError error;
    };
    const Case cases[] = {
        {{0.5, 350, 0}, 2.2, GsdfError::None},
        {{0.05, 4000, 0}, 2.2, GsdfError::None},  // both ends of the standard's range
        {{0.04, 350, 0}, 2.2, GsdfError::LuminanceOutOfRange},
        {{0.04, 350, 0.01}, 2.2, GsdfError::None},  // the room light lifts the black into range
        {{0.5, 4000.5, 0}, 2.2, GsdfError::LuminanceOutOfRange},
        {{0.5, 3999, 2}, 2.2, GsdfError::LuminanceOutOfRange},
        {{300, 300, 0}, 2.2, GsdfError::LuminanceOrder},
        {{300, 200, 0}, 2.2, GsdfError::LuminanceOrder},
        {{0.5, 350, -0.1}, 2.2, GsdfError::AmbientNegative},
        {{0.5, std::nan(""), 0}, 2.2, GsdfError::LuminanceOutOfRange},
        {{0.5, 350, INFINITY}, 2.2, GsdfError::AmbientNegative},
        {{0.5, 350, 0}, 0.05, GsdfError::PanelGammaOutOfRange},
        {{0.5, 350, 0}, 10.5, GsdfError::PanelGammaOutOfRange},
    };
    for (const Case& c : cases) {
        ToneTable table = identityTable();
        const GsdfProblem problem = makeGsdfModelCurve(c.target, c.gamma, table);
        EXPECT_EQ(problem.error, c.error)
            << c.target.minLuminance << " " << c.target.maxLuminance << " " << c.target.ambient << " " << c.gamma;
        if (c.error != GsdfError::None) {
            EXPECT_EQ(table, identityTable()) << "left as it was";
        }
    }
}

struct MeasuredCase {
    const char* name;
    ToneTable measuredWith;
    double ambient;
    double lmax;  // the panel's light at the highest drive value the table reaches
};

// A gamma 2.2 panel measured at 18 levels must come out on target at every measured level,
// whatever table it was measured through.
TEST(GsdfMeasuredCurve, GammaPanelMeasuredAtEighteenLevelsIsOnTarget) {
    const double lmin = 0.6;
    const double lmax = 420;
    const auto panel = gammaPanel(lmin, lmax, 2.2);
    ToneTable clipped = identityTable();
    for (int i = 200; i < LevelCount; ++i) clipped[i] = 6400;  // flat top: several levels share a drive value
    const MeasuredCase cases[] = {
        {"identity", identityTable(), 0, lmax},
        {"identity with room light", identityTable(), 0.4, lmax},
        {"default curve 0.8", makeDefaultCurve(0.8), 0, lmax},
        {"monitor gamma 1.8", makeMonitorGammaCurve(1.8, 2.2), 0, lmax},
        {"clipped", clipped, 0, panel(6400)},
    };
    for (const MeasuredCase& c : cases) {
        const GsdfTarget target{lmin, c.lmax, c.ambient};
        const MeasurementList measured = measure(panel, c.measuredWith, eighteenLevels());
        ToneTable table{};
        const GsdfProblem problem = makeGsdfMeasuredCurve(target, measured, c.measuredWith, table);
        ASSERT_TRUE(problem.ok()) << c.name << " " << static_cast<int>(problem.error);
        const auto wanted = gsdfTargetLuminance(target);
        for (int level : eighteenLevels()) {
            const double shown = panel(table[level]) + c.ambient;
            EXPECT_NEAR(shown, wanted[level], 0.01 * wanted[level]) << c.name << " level " << level;
        }
        for (int i = 1; i < LevelCount; ++i) ASSERT_GE(table[i], table[i - 1]) << c.name << " " << i;
        EXPECT_EQ(table[0], 0) << c.name;
    }
}

TEST(GsdfMeasuredCurve, AgreesWithTheModelOfTheSamePanel) {
    const GsdfTarget target{0.5, 350, 0};
    const MeasurementList measured = measure(gammaPanel(0.5, 350, 2.2), identityTable(), eighteenLevels());
    ToneTable fromMeasurements{};
    ToneTable fromModel{};
    ASSERT_TRUE(makeGsdfMeasuredCurve(target, measured, identityTable(), fromMeasurements).ok());
    ASSERT_TRUE(makeGsdfModelCurve(target, 2.2, fromModel).ok());
    for (int i = 0; i < LevelCount; ++i) {
        // Between the measured levels the interpolation may wander a little from the true power law.
        EXPECT_NEAR(fromMeasurements[i], fromModel[i], 0.02 * fromModel[i] + 8) << i;
    }
}

TEST(GsdfMeasuredCurve, LightOutsideTheMeasuredRangeTakesTheEndDrives) {
    // Measured only from level 30 (drive 960) to 225 (7200); the target asks for darker and
    // brighter light than that.
    const auto panel = gammaPanel(0.5, 350, 2.2);
    std::vector<int> levels;
    for (int level = 30; level <= 225; level += 15) levels.push_back(level);
    ToneTable table{};
    ASSERT_TRUE(
        makeGsdfMeasuredCurve({0.5, 350, 0}, measure(panel, identityTable(), levels), identityTable(), table).ok());
    EXPECT_EQ(table[0], 960);
    EXPECT_EQ(table[255], 7200);
    for (int i = 1; i < LevelCount; ++i) ASSERT_GE(table[i], table[i - 1]) << i;
}

// The panel measured from 0.5 to 350 cd/m²: only levels beyond that by more than rounding count
// as clipped, and a target with no level inside is refused.
TEST(GsdfMeasuredCurve, TargetBeyondTheMeasuredLightIsClippedAndCountedOrRefused) {
    const MeasurementList measured = measure(gammaPanel(0.5, 350, 2.2), identityTable(), eighteenLevels());
    const std::pair<GsdfTarget, GsdfError> cases[] = {
        {{0.5, 350, 0}, GsdfError::None},
        {{0.5, 350, 0.3}, GsdfError::None},
        {{0.2, 350, 0}, GsdfError::None},
        {{0.1, 3000, 1}, GsdfError::None},
        {{400, 600, 0}, GsdfError::TargetOutsideMeasured},
        {{0.06, 0.45, 0}, GsdfError::TargetOutsideMeasured},
    };
    for (const auto& [target, error] : cases) {
        SCOPED_TRACE(::testing::Message() << target.minLuminance << ".." << target.maxLuminance);
        ToneTable table = identityTable();
        GsdfClipping clipping{-1, -1};
        ASSERT_EQ(makeGsdfMeasuredCurve(target, measured, identityTable(), table, &clipping).error, error);
        if (error != GsdfError::None) {
            EXPECT_EQ(table, identityTable());
            continue;
        }
        const auto wanted = gsdfTargetLuminance(target);
        for (int i = 0; i < LevelCount; ++i) {
            EXPECT_EQ(i < clipping.darkLevels, wanted[i] < (0.5 + target.ambient) * 0.999) << i;
            EXPECT_EQ(i >= LevelCount - clipping.brightLevels, wanted[i] > (350 + target.ambient) * 1.001) << i;
        }
    }
}

TEST(GsdfMeasuredCurve, RefusesResponsesItCannotInvert) {
    const auto panel = gammaPanel(0.5, 350, 2.2);
    MeasurementList measured = measure(panel, identityTable(), eighteenLevels());
    ToneTable table = identityTable();

    MeasurementList falling = measured;
    falling[5].luminance = falling[4].luminance * 0.9;
    GsdfProblem p = makeGsdfMeasuredCurve({0.5, 350, 0}, falling, identityTable(), table);
    EXPECT_EQ(p.error, GsdfError::ResponseDecreasing);
    EXPECT_EQ(p.line, falling[5].line);
    // Equal light at two drive values is a flat stretch, not a fall; eight levels are enough.
    ToneTable accepted{};
    falling[5].luminance = falling[4].luminance;
    EXPECT_TRUE(makeGsdfMeasuredCurve({0.5, 350, 0}, falling, identityTable(), accepted).ok());
    MeasurementList eight(measured.begin(), measured.begin() + 8);
    EXPECT_TRUE(makeGsdfMeasuredCurve({0.5, 350, 0}, eight, identityTable(), accepted).ok());
    // The measurements pass the same check as a report's.
    falling.back().luminance = 1e300;
    EXPECT_EQ(makeGsdfMeasuredCurve({0.5, 350, 0}, falling, identityTable(), table).error, GsdfError::OutsideGsdfRange);

    // A table that gives every level one drive value leaves a single point.
    ToneTable constant{};
    constant.fill(4000);
    EXPECT_EQ(makeGsdfMeasuredCurve({0.5, 350, 0}, measured, constant, table).error, GsdfError::ResponseFlat);

    // A falling table turns rising light into light that falls with the drive value.
    ToneTable reversed{};
    for (int i = 0; i < LevelCount; ++i) reversed[i] = static_cast<std::uint16_t>(FullScale - 32 * i);
    EXPECT_EQ(makeGsdfMeasuredCurve({0.5, 350, 0}, measured, reversed, table).error, GsdfError::ResponseDecreasing);

    MeasurementList few(measured.begin(), measured.begin() + 7);
    EXPECT_EQ(makeGsdfMeasuredCurve({0.5, 350, 0}, few, identityTable(), table).error, GsdfError::TooFewMeasurements);
    EXPECT_EQ(makeGsdfMeasuredCurve({0.5, 0.4, 0}, measured, identityTable(), table).error, GsdfError::LuminanceOrder);
    EXPECT_EQ(table, identityTable()) << "left as it was";
}

}  // namespace
}  // namespace grayden
