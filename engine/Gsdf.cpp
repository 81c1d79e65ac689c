#include "engine/Gsdf.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace grayden {

namespace {

// The published rational polynomial of log10 L in ln j.
constexpr double A = -1.3011877;
constexpr double B = -2.5840191e-2;
constexpr double C = 8.0242636e-2;
constexpr double D = -1.0320229e-1;
constexpr double E = 1.3646699e-1;
constexpr double F = 2.8745620e-2;
constexpr double G = -2.5468404e-2;
constexpr double H = -3.1978977e-3;
constexpr double K = 1.2992634e-4;
constexpr double M = 1.3635334e-3;

// The published polynomial of j in log10 L; close to the inverse, so it seeds the refinement.
constexpr double Inverse[] = {71.498068,  94.593053,   41.912053,  9.8247004,   0.28175407,
                              -1.1878455, -0.18014349, 0.14710899, -0.017046845};

double log10Luminance(double j) {
    const double x = std::log(j);
    const double numerator = A + x * (C + x * (E + x * (G + x * M)));
    const double denominator = 1 + x * (B + x * (D + x * (F + x * (H + x * K))));
    return numerator / denominator;
}

}  // namespace

double gsdfLuminance(double jndIndex) {
    return std::exp(std::numbers::ln10 * log10Luminance(std::clamp(jndIndex, MinJndIndex, MaxJndIndex)));
}

double gsdfJndIndex(double luminance) {
    const double lowest = log10Luminance(MinJndIndex);
    const double highest = log10Luminance(MaxJndIndex);
    const double target = std::log10(luminance);
    if (!(target > lowest)) return MinJndIndex;
    if (target >= highest) return MaxJndIndex;
    double seed = 0;
    for (int i = 8; i >= 0; --i) seed = seed * target + Inverse[i];
    // The published inverse is good to a fraction of an index; a few secant steps on log10 L,
    // kept inside a shrinking bracket, make it the exact inverse of L(j).
    double lo = MinJndIndex;
    double hi = MaxJndIndex;
    double j = std::clamp(seed, lo, hi);
    for (int step = 0; step < 60; ++step) {
        const double f = log10Luminance(j) - target;
        if (f == 0) return j;
        (f < 0 ? lo : hi) = j;
        if (hi - lo <= 1e-12 * hi) break;
        const double h = 1e-6 * j;
        const double slope = (log10Luminance(j + h) - log10Luminance(j)) / h;
        double next = j - f / slope;
        if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
        if (std::abs(next - j) <= 1e-12 * j) return next;
        j = next;
    }
    return j;
}

}  // namespace grayden
