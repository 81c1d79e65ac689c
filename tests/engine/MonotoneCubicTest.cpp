#include <gtest/gtest.h>

#include "engine/MonotoneCubic.h"

namespace grayden {
namespace {

// Points where a plain cubic spline would dip and overshoot.
void expectNeitherFallsNorOvershoots(const std::vector<double>& x, const std::vector<double>& y) {
    MonotoneCubic curve;
    ASSERT_TRUE(curve.fit(x, y));
    double previous = -1;
    for (double at = x.front() - 1; at <= x.back() + 1; at += 0.001) {
        const double value = curve.valueAt(at);
        ASSERT_GE(value, previous) << at;
        previous = value;
        for (std::size_t k = 0; k + 1 < x.size(); ++k) {
            if (at >= x[k] && at <= x[k + 1]) {
                ASSERT_TRUE(value >= y[k] && value <= y[k + 1]) << at;
            }
        }
    }
    for (std::size_t k = 0; k < x.size(); ++k) EXPECT_DOUBLE_EQ(curve.valueAt(x[k]), y[k]) << k;
}

TEST(MonotoneCubic, NeverFallsNorOvershootsAndInvertsToTheLowestReach) {
    // A flat stretch between 2 and 5, then a cliff; and a steep step between two gentle ones.
    const std::vector<double> x = {0, 1, 2, 5, 5.5, 9, 10};
    const std::vector<double> y = {0, 0.2, 1, 1, 40, 41, 41.5};
    expectNeitherFallsNorOvershoots(x, y);
    expectNeitherFallsNorOvershoots({0, 1, 2, 3}, {0, 1, 7, 8});
    MonotoneCubic curve;
    ASSERT_TRUE(curve.fit(x, y));
    for (double at : {0.3, 1.7, 5.2, 7.0, 9.9}) EXPECT_NEAR(curve.lowestReaching(curve.valueAt(at)), at, 1e-5) << at;
    EXPECT_NEAR(curve.lowestReaching(1.0), 2.0, 1e-5) << "a flat stretch gives its start";
    EXPECT_EQ(curve.lowestReaching(-3), 0) << "below the points";
    EXPECT_EQ(curve.lowestReaching(50), 10) << "above the points";
    EXPECT_EQ(curve.valueAt(-5), 0);
    EXPECT_EQ(curve.valueAt(15), 41.5);
}

TEST(MonotoneCubic, RefusesPointsItCannotFollow) {
    MonotoneCubic curve;
    EXPECT_FALSE(curve.fit({1}, {1}));
    EXPECT_FALSE(curve.fit({1, 1}, {1, 2})) << "x must rise";
    EXPECT_FALSE(curve.fit({1, 2, 3}, {1, 3, 2})) << "y must not fall";
    EXPECT_FALSE(curve.fit({1, 2}, {1, 2, 3})) << "one y per x";
    EXPECT_TRUE(curve.fit({1, 2}, {1, 3}));
    EXPECT_DOUBLE_EQ(curve.valueAt(1.5), 2.0) << "two points give the straight line";
}

}  // namespace
}  // namespace grayden
