#include "engine/Spline.h"

#include <cmath>

namespace grayden {

ControlPointArray SamplePoints(const ToneTable& table, int n) {
    ControlPointArray points{};
    if (n >= LevelCount) {
        for (int k = 0; k < LevelCount; ++k) points[k] = {k, table[k]};
        return points;
    }
    int i = 0;
    for (int j = 0; j < LevelCount && i < n; ++j) {
        if (j == i * 255 / (n - 1)) {
            points[i] = {j, table[j]};
            ++i;
        }
    }
    return points;
}

namespace {

struct PlanePoint {
    double x;
    double y;
};

// One coordinate of segment i at parameter t; the first segment takes precedence over the last.
double evaluateCoordinate(double p0, double p1, double p2, double p3, double t, double t2, double t3,
                          bool first, bool last) {
    double a, b, c, d;
    if (first) {
        a = 0;
        b = p1 - 2 * p2 + p3;
        c = -3 * p1 + 4 * p2 - p3;
        d = 2 * p1;
    } else if (last) {
        a = 0;
        b = p0 - 2 * p1 + p2;
        c = -p0 + p2;
        d = 2 * p1;
    } else {
        a = -p0 + 3 * p1 - 3 * p2 + p3;
        b = 2 * p0 - 5 * p1 + 4 * p2 - p3;
        c = -p0 + p2;
        d = 2 * p1;
    }
    return (a * t3 + b * t2 + c * t + d) / 2;
}

// The spline at every integer parameter 0..255. The parameters rise, so the segment search
// moves forward only; each parameter is evaluated once and the walks read the results.
void sampleSpline(const ControlPointArray& pts, int n, PlanePoint* out) {
    auto coord = [&](int idx, bool y) -> double {
        // Indices outside the live points are never used by the chosen coefficient set.
        if (idx < 0 || idx >= n) return 0.0;
        return y ? pts[idx].value : pts[idx].level;
    };
    int i = 0;
    for (int p = 0; p < LevelCount; ++p) {
        while (i < n - 2 && pts[i + 1].level < p) ++i;
        const double pd = p;
        double t;
        if (p == 0) {
            i = 0;
            t = 0;
        } else {
            t = (pd - pts[i].level) / static_cast<double>(pts[i + 1].level - pts[i].level);
        }
        const double t2 = t * t;
        const double t3 = t2 * t;
        const bool first = i == 0;
        const bool last = i == n - 2;
        out[p].x = evaluateCoordinate(coord(i - 1, false), coord(i, false), coord(i + 1, false),
                                      coord(i + 2, false), t, t2, t3, first, last);
        out[p].y = evaluateCoordinate(coord(i - 1, true), coord(i, true), coord(i + 1, true),
                                      coord(i + 2, true), t, t2, t3, first, last);
    }
}

std::uint16_t levelValue(int level, const PlanePoint* spline) {
    const double L = level;
    int p = level;
    double X = spline[p].x;
    double Y = spline[p].y;
    double Xn = X, Yn = Y;
    bool walked = false;
    if (L < std::trunc(X)) {
        while (L < Xn && p > 0) {
            X = Xn;
            Y = Yn;
            --p;
            Xn = spline[p].x;
            Yn = spline[p].y;
        }
        walked = true;
    } else if (X < L) {
        while (L > Xn && p < LevelCount - 1) {
            X = Xn;
            Y = Yn;
            ++p;
            Xn = spline[p].x;
            Yn = spline[p].y;
        }
        walked = true;
    }
    if (walked && Xn != X) Y = Y - (X - L) * (Y - Yn) / (X - Xn);
    if (Y < 0) Y = 0;
    if (Y > FullScale) Y = FullScale;
    return static_cast<std::uint16_t>(std::trunc(Y + 0.5));
}

}  // namespace

ToneTable InterpolateTable(const ControlPointArray& points, int n) {
    ToneTable result{};
    if (n < 3 || n > LevelCount) return result;
    const ControlPointArray pts = points;
    PlanePoint spline[LevelCount];
    sampleSpline(pts, n, spline);
    for (int L = 0; L < LevelCount; ++L) result[L] = levelValue(L, spline);
    return result;
}

}  // namespace grayden
