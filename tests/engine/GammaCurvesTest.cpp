#include <gtest/gtest.h>

#include "engine/GammaCurves.h"

namespace grayden {
namespace {

TEST(DefaultCurve, ExponentOneIsTheStraightLine) { EXPECT_EQ(makeDefaultCurve(1.0), identityTable()); }

TEST(DefaultCurve, GammaCurveRunsFullScaleInStepsOfEight) {
    // Every exponent the dialog accepts, in steps of 0.01: the power's rounding must never cost
    // the top level a step (at 2.2 the plain double expression ends at 8152).
    for (int k = 50; k <= 1000; ++k) {
        const double g = k / 100.0;
        const ToneTable t = makeDefaultCurve(g);
        ASSERT_EQ(t[0], 0) << g;
        ASSERT_EQ(t[255], 8160) << g;
        for (int i = 1; i < 256; ++i) {
            ASSERT_EQ(t[i] % 8, 0) << g << " at " << i;
            ASSERT_GE(t[i], t[i - 1]) << g << " at " << i;
        }
    }
    // 8 × trunc(128^2.2 × 1020 / 255^2.2) worked by hand: 8 × 223 = 1784.
    EXPECT_EQ(makeDefaultCurve(2.2)[128], 1784);
}

TEST(MonitorGammaCurve, EqualGammasGiveTheStraightLine) {
    EXPECT_EQ(makeMonitorGammaCurve(2.2, 2.2), identityTable());
    EXPECT_EQ(makeMonitorGammaCurve(monitorGammaForCode(4), 2.2), identityTable());
}

TEST(MonitorGammaCurve, IsNotQuantisedAndEndsAtFullScale) {
    // Gamma 1.8 on a 2.2 panel: entry 128 = trunc(128^(9/11) × 8160 / 255^(9/11)) = 4642.
    EXPECT_EQ(makeMonitorGammaCurve(1.8, 2.2)[128], 4642);
    for (int code = 0; code < 255; ++code) {
        for (double panel : {0.1, 1.0, 1.8, 2.2, 2.5, 10.0}) {
            ASSERT_EQ(makeMonitorGammaCurve(monitorGammaForCode(code), panel)[255], 8160) << code << " " << panel;
        }
    }
}

TEST(MonitorGammaCurve, AbsurdGammaCodesStayInRange) {
    // The code comes from the monitor; an out-of-range one must not overflow into garbage.
    const ToneTable t = makeMonitorGammaCurve(monitorGammaForCode(65535), 2.2);
    EXPECT_EQ(t[0], 0);
    EXPECT_EQ(t[254], 0);
    EXPECT_EQ(t[255], 8160);
}

TEST(PanelResponse, EndpointsAndIdentityAtGammaOne) {
    const PanelResponse r = makePanelResponse(2.2);
    ASSERT_EQ(r.size(), 8161u);
    EXPECT_EQ(r[0], 0);
    EXPECT_EQ(r[8160], 8160);
    EXPECT_LT(r[4080], 4080);
    for (int k = 1; k <= 100; ++k) ASSERT_EQ(makePanelResponse(k / 10.0)[8160], 8160) << k;
    const PanelResponse one = makePanelResponse(1.0);
    for (int v = 0; v <= 8160; ++v) ASSERT_EQ(one[v], v);
}

TEST(OutputCurve, FollowsTheTableThroughThePanel) {
    ToneTable t = identityTable();
    t[10] = 9000;  // beyond full scale: the drive level is clamped before the lookup
    const PanelResponse r = makePanelResponse(2.2);
    EXPECT_EQ(outputCurve(t, r, 10), r[8160]);
    EXPECT_EQ(outputCurve(t, r, 100), r[3200]);
}

TEST(TotalGamma, IsTheProduct) {
    EXPECT_DOUBLE_EQ(totalGamma(1.0, 2.2), 2.2);
    EXPECT_DOUBLE_EQ(totalGamma(0.5, 2.0), 1.0);
}

}  // namespace
}  // namespace grayden
