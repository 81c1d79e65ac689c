#include "engine/GammaCurves.h"

#include <cmath>

namespace grayden {

namespace {

// x^g × scale / top^g is exact at x = top, but the product rounds first and can land a hair
// below the integer (1019.9999999999999 for 255 at 2.2), which truncation would turn into a
// whole step less. A relative tolerance far below one step lets exact results stay exact.
double truncatePower(double v) { return std::trunc(v * (1 + 1e-12)); }

}  // namespace

ToneTable makeDefaultCurve(double exponent) {
    ToneTable table{};
    const double scale = std::pow(255.0, exponent);
    for (int i = 0; i < LevelCount; ++i) {
        const double v = truncatePower(std::pow(static_cast<double>(i), exponent) * 1020 / scale);
        table[i] = static_cast<std::uint16_t>(8 * static_cast<int>(v));
    }
    return table;
}

ToneTable makeMonitorGammaCurve(double gamma, double panelGamma) {
    ToneTable table{};
    const double e = gamma / panelGamma;
    const double scale = std::pow(255.0, e);
    for (int i = 0; i < LevelCount; ++i) {
        double v = truncatePower(std::pow(static_cast<double>(i), e) * FullScale / scale);
        // A gamma code far out of range overflows the powers; the ratio form stays finite.
        if (!std::isfinite(v)) v = truncatePower(std::pow(i / 255.0, e) * FullScale);
        table[i] = static_cast<std::uint16_t>(clampLevel(v));
    }
    return table;
}

PanelResponse makePanelResponse(double panelGamma) {
    PanelResponse response(FullScale + 1);
    const double scale = std::pow(static_cast<double>(FullScale), panelGamma);
    for (int v = 0; v <= FullScale; ++v) {
        const double r = truncatePower(std::pow(static_cast<double>(v), panelGamma) * FullScale / scale);
        response[v] = static_cast<std::uint16_t>(clampLevel(r));
    }
    return response;
}

std::uint16_t outputCurve(const ToneTable& table, const PanelResponse& response, int level) {
    const int drive = clampLevel<int>(table[level]);
    return response[drive];
}

double totalGamma(double exponent, double panelGamma) { return exponent * panelGamma; }

double monitorGammaForCode(int code) { return 0.2 * code + 1.4; }

}  // namespace grayden
