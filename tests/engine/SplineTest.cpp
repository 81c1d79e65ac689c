#include <gtest/gtest.h>

#include <random>

#include "engine/ControlPoint.h"
#include "engine/Spline.h"
#include "tests/support/LiteralSpline.h"

namespace grayden {
namespace {

ControlPointArray pointsAt(int n, std::initializer_list<int> values) {
    ControlPointArray pts{};
    int k = 0;
    for (int v : values) {
        pts[k] = {controlPointLevel(k, n), v};
        ++k;
    }
    return pts;
}

TEST(SamplePoints, LevelsFollowTheCountTable) {
    const ToneTable id = identityTable();
    const std::vector<int> levels24 = {0,   11,  22,  33,  44,  55,  66,  77,  88,  99,  110, 121,
                                       133, 144, 155, 166, 177, 188, 199, 210, 221, 232, 243, 255};
    const ControlPointArray pts = samplePoints(id, 24);
    for (int k = 0; k < 24; ++k) {
        EXPECT_EQ(pts[k].level, levels24[k]) << k;
        EXPECT_EQ(pts[k].value, 32 * levels24[k]);
    }
    const ControlPointArray p33 = samplePoints(id, 33);
    EXPECT_EQ(p33[1].level, 7);
    EXPECT_EQ(p33[2].level, 15);
    EXPECT_EQ(p33[32].level, 255);
    const ControlPointArray p256 = samplePoints(id, 256);
    for (int k = 0; k < 256; ++k) EXPECT_EQ(p256[k].level, k);
}

// The numbers of the worked example in Spline.cpp, so the explanation stays true.
TEST(InterpolateTable, WorkedExampleOfThreePoints) {
    ControlPointArray pts{};
    pts[0] = {0, 0};
    pts[1] = {127, 2000};
    pts[2] = {255, 8160};
    const ToneTable t = interpolateTable(pts, 3);
    EXPECT_EQ(t[64], 490);
    EXPECT_EQ(t[1], 0);  // the spline dips below zero here
    EXPECT_EQ(t[127], 2000);
    EXPECT_EQ(t[255], 8160);
}

TEST(InterpolateTable, IdentityStaysExactAtEvenlySpacedCounts) {
    const ToneTable id = identityTable();
    for (int n : {3, 5, 9, 16, 33, 256}) {
        EXPECT_EQ(interpolateTable(samplePoints(id, n), n), id) << n << " points";
    }
}

TEST(InterpolateTable, IdentityAt24PointsIsHighOnlyAroundTheWideStep) {
    const ToneTable id = identityTable();
    const ToneTable t = interpolateTable(samplePoints(id, 24), 24);
    EXPECT_EQ(t[128], 4097);
    EXPECT_EQ(t[130], 4162);
    EXPECT_EQ(t[135], 4322);
    EXPECT_EQ(t[140], 4481);
    for (int L = 0; L < 256; ++L) {
        if (L >= 128 && L <= 141 && L != 133) {
            EXPECT_GE(t[L] - id[L], 1) << L;
            EXPECT_LE(t[L] - id[L], 2) << L;
        } else {
            EXPECT_EQ(t[L], id[L]) << L;
        }
    }
}

TEST(InterpolateTable, ThreePointParabolaDipsBelowZeroAndIsClipped) {
    const ToneTable t = interpolateTable(pointsAt(3, {0, 1000, 8160}), 3);
    for (int L = 1; L <= 85; ++L) EXPECT_EQ(t[L], 0) << L;
    EXPECT_EQ(t[86], 6);
    EXPECT_EQ(t[100], 274);
    EXPECT_EQ(t[126], 968);
    EXPECT_EQ(t[127], 1000);
    EXPECT_EQ(t[128], 1032);
    EXPECT_EQ(t[200], 4336);
    EXPECT_EQ(t[255], 8160);
}

TEST(InterpolateTable, FivePointZigzag) {
    const ToneTable t = interpolateTable(pointsAt(5, {0, 4000, 1000, 8160, 0}), 5);
    EXPECT_EQ(t[1], 119);
    EXPECT_EQ(t[10], 1109);
    EXPECT_EQ(t[100], 1906);
    EXPECT_EQ(t[150], 3458);
    EXPECT_EQ(t[200], 7938);
    EXPECT_EQ(t[230], 5011);
    EXPECT_EQ(t[254], 245);
    EXPECT_EQ(t[0], 0);
    EXPECT_EQ(t[255], 0);
}

TEST(InterpolateTable, OvershootNextToExtremesIsClipped) {
    const ToneTable t = interpolateTable(pointsAt(9, {0, 8160, 0, 8160, 0, 8160, 0, 8160, 0}), 9);
    for (int L = 0; L < 256; ++L) EXPECT_LE(t[L], 8160);
    EXPECT_EQ(t[31], 8160);
    EXPECT_EQ(t[63], 0);
}

TEST(InterpolateTable, TwoHundredFiftySixPointsReturnThePointValues) {
    ControlPointArray pts{};
    std::mt19937 rng(7);
    for (int k = 0; k < 256; ++k) pts[k] = {k, static_cast<int>(rng() % 8161)};
    const ToneTable t = interpolateTable(pts, 256);
    for (int k = 0; k < 256; ++k) EXPECT_EQ(t[k], pts[k].value) << k;
}

// The fast walk reads cached spline samples; any shape of curve must give the literal result.
TEST(InterpolateTable, MatchesTheLiteralWalkOnRandomCurves) {
    std::mt19937 rng(12345);
    for (int trial = 0; trial < 400; ++trial) {
        for (int n : {3, 5, 9, 16, 24, 33, 256}) {
            ControlPointArray pts{};
            for (int k = 0; k < n; ++k) {
                const int v = trial % 3 == 0 ? static_cast<int>(rng() % 2) * 8160 : static_cast<int>(rng() % 8161);
                pts[k] = {controlPointLevel(k, n), v};
            }
            ASSERT_EQ(interpolateTable(pts, n), testing::literalInterpolateTable(pts, n))
                << "trial " << trial << ", " << n << " points";
        }
    }
}

TEST(InterpolateTable, RefusesCountsTooSmallForASpline) {
    ControlPointArray pts{};
    EXPECT_EQ(interpolateTable(pts, 2), ToneTable{});
}

}  // namespace
}  // namespace grayden
