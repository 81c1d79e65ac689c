#include "engine/MonotoneCubic.h"

#include <algorithm>
#include <cmath>

namespace grayden {

bool MonotoneCubic::fit(const std::vector<double>& x, const std::vector<double>& y) {
    x_.clear();
    y_.clear();
    slope_.clear();
    const std::size_t n = x.size();
    if (n < 2 || y.size() != n) return false;
    for (std::size_t k = 0; k + 1 < n; ++k) {
        if (!(x[k + 1] > x[k]) || !(y[k + 1] >= y[k])) return false;
    }
    std::vector<double> secant(n - 1);
    for (std::size_t k = 0; k + 1 < n; ++k) secant[k] = (y[k + 1] - y[k]) / (x[k + 1] - x[k]);
    // Starting slopes by three-point differences, one-sided at the ends; a slope against its
    // neighbouring secants, or one at a turn of the data, is flattened.
    std::vector<double> slope(n);
    if (n == 2) {
        slope[0] = slope[1] = secant[0];
    } else {
        const auto end = [](double h0, double h1, double d0, double d1) {
            const double m = ((2 * h0 + h1) * d0 - h0 * d1) / (h0 + h1);
            if (m <= 0 || d0 == 0) return 0.0;
            return d1 == 0 && m > 3 * d0 ? 3 * d0 : m;
        };
        slope[0] = end(x[1] - x[0], x[2] - x[1], secant[0], secant[1]);
        slope[n - 1] = end(x[n - 1] - x[n - 2], x[n - 2] - x[n - 3], secant[n - 2], secant[n - 3]);
        for (std::size_t k = 1; k + 1 < n; ++k) {
            const double h0 = x[k] - x[k - 1];
            const double h1 = x[k + 1] - x[k];
            slope[k] = secant[k - 1] > 0 && secant[k] > 0 ? (h1 * secant[k - 1] + h0 * secant[k]) / (h0 + h1) : 0.0;
        }
    }
    // Slopes too steep for their secant would make the cubic overshoot; scaling them into the
    // circle of radius 3 keeps each piece monotone.
    for (std::size_t k = 0; k + 1 < n; ++k) {
        if (secant[k] == 0) {
            slope[k] = 0;
            slope[k + 1] = 0;
            continue;
        }
        const double a = slope[k] / secant[k];
        const double b = slope[k + 1] / secant[k];
        const double r = a * a + b * b;
        if (r > 9) {
            const double t = 3 / std::sqrt(r);
            slope[k] = t * a * secant[k];
            slope[k + 1] = t * b * secant[k];
        }
    }
    x_ = x;
    y_ = y;
    slope_ = std::move(slope);
    return true;
}

double MonotoneCubic::segmentValue(std::size_t k, double x) const {
    const double h = x_[k + 1] - x_[k];
    const double t = (x - x_[k]) / h;
    const double t2 = t * t;
    const double t3 = t2 * t;
    return (2 * t3 - 3 * t2 + 1) * y_[k] + (t3 - 2 * t2 + t) * h * slope_[k] + (-2 * t3 + 3 * t2) * y_[k + 1] +
           (t3 - t2) * h * slope_[k + 1];
}

double MonotoneCubic::valueAt(double x) const {
    if (x_.empty()) return 0;
    if (x <= x_.front()) return y_.front();
    if (x >= x_.back()) return y_.back();
    const std::size_t k = static_cast<std::size_t>(std::upper_bound(x_.begin(), x_.end(), x) - x_.begin()) - 1;
    return segmentValue(k, x);
}

std::size_t MonotoneCubic::segmentReaching(double y) const {
    return static_cast<std::size_t>(std::lower_bound(y_.begin() + 1, y_.end(), y) - y_.begin()) - 1;
}

double MonotoneCubic::lowestReaching(double y) const {
    if (x_.empty()) return 0;
    if (!(y > y_.front())) return x_.front();
    if (y > y_.back()) return x_.back();
    const std::size_t k = segmentReaching(y);
    // The piece rises from below y to at least y, never falling: Newton steps from the straight
    // line's answer, kept inside a bracket that halving takes over whenever a step leaves it.
    const double h = x_[k + 1] - x_[k];
    const double a = y_[k];
    const double b = h * slope_[k];
    const double c = 3 * (y_[k + 1] - y_[k]) - h * (2 * slope_[k] + slope_[k + 1]);
    const double d = 2 * (y_[k] - y_[k + 1]) + h * (slope_[k] + slope_[k + 1]);
    double lo = 0;
    double hi = 1;
    double t = (y - y_[k]) / (y_[k + 1] - y_[k]);
    for (int i = 0; i < 60; ++i) {
        const double f = a + t * (b + t * (c + t * d)) - y;
        if (f == 0) return x_[k] + h * t;
        (f < 0 ? lo : hi) = t;
        const double slope = b + t * (2 * c + 3 * t * d);
        double next = slope > 0 ? t - f / slope : 0.5 * (lo + hi);
        if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
        if (std::abs(next - t) * h < 1e-6 || (hi - lo) * h < 1e-6) return x_[k] + h * next;
        t = next;
    }
    return x_[k] + h * t;
}

}  // namespace grayden
