#include "engine/Spline.h"

#include <cmath>

namespace grayden {

ControlPointArray samplePoints(const ToneTable& table, int n) {
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

// How a table comes from control points, worked through for three points (0, 0), (127, 2000)
// and (255, 8160):
//
// 1. The points are joined by a Catmull-Rom spline through the plane, in both coordinates at
//    once: segment i runs from point i to point i+1 as t goes 0..1. The first and the last
//    segment have no outer neighbour and use the quadratic forms of segmentCubic. Here segment 0
//    is x(t) = (t² + 253t) / 2 and y(t) = (4160t² - 160t) / 2.
// 2. sampleSpline evaluates the spline at the 256 integer parameters p = 0..255, p inside
//    segment i mapping to t = (p - level_i) / (level_i+1 - level_i). p = 64 gives t = 64/127
//    and the sample (63.875, 487.906): x lags p, because the spline does not move along x at an
//    even pace, so sample p does not sit above level p.
// 3. levelValue therefore looks for the two neighbouring samples whose x enclose the level and
//    interpolates y between them along the straight line. Level 64 starts at sample 64 (x below
//    64), walks forward to sample 65 (64.875, 503.912), and takes
//    487.906 + (64 - 63.875) · (503.912 - 487.906) / (64.875 - 63.875) = 489.9, rounded to 490.
// 4. The result is clamped to 0..8160 before rounding: near level 1 this spline dips below zero
//    (sample 1 is (0.996, -0.501)), and the table holds 0 there.
// The control points themselves come out exactly: level 127 is sample 127, (127, 2000).

namespace {

struct PlanePoint {
    double x;
    double y;
};

// The cubic of one coordinate over one segment, in the form (a·t³ + b·t² + c·t + d) / 2.
struct Cubic {
    double a, b, c, d;
    double at(double t, double t2, double t3) const { return (a * t3 + b * t2 + c * t + d) / 2; }
};

// Where a segment lies among the live points; the end segments lack an outer neighbour.
enum class SegmentPlace { First, Inner, Last };

Cubic segmentCubic(double p0, double p1, double p2, double p3, SegmentPlace place) {
    if (place == SegmentPlace::First) return {0, p1 - 2 * p2 + p3, -3 * p1 + 4 * p2 - p3, 2 * p1};
    if (place == SegmentPlace::Last) return {0, p0 - 2 * p1 + p2, -p0 + p2, 2 * p1};
    return {-p0 + 3 * p1 - 3 * p2 + p3, 2 * p0 - 5 * p1 + 4 * p2 - p3, -p0 + p2, 2 * p1};
}

// The spline at every integer parameter 0..255. The parameters rise, so the segment search
// moves forward only and each segment's coefficients are formed once; the walks then read
// these samples instead of evaluating the spline again.
void sampleSpline(const ControlPointArray& pts, int n, PlanePoint* out) {
    auto level = [&](int idx) -> double {
        // Indices outside the live points are never used by the chosen coefficient set.
        return idx < 0 || idx >= n ? 0.0 : pts[idx].level;
    };
    auto value = [&](int idx) -> double { return idx < 0 || idx >= n ? 0.0 : pts[idx].value; };
    int i = 0;
    int formed = -1;
    Cubic cx{}, cy{};
    double startLevel = 0, span = 1;
    for (int p = 0; p < LevelCount; ++p) {
        while (i < n - 2 && pts[i + 1].level < p) ++i;
        if (i != formed) {
            // The first segment takes precedence over the last (they coincide with three points).
            const SegmentPlace place =
                i == 0 ? SegmentPlace::First : (i == n - 2 ? SegmentPlace::Last : SegmentPlace::Inner);
            cx = segmentCubic(level(i - 1), level(i), level(i + 1), level(i + 2), place);
            cy = segmentCubic(value(i - 1), value(i), value(i + 1), value(i + 2), place);
            startLevel = pts[i].level;
            span = static_cast<double>(pts[i + 1].level - pts[i].level);
            formed = i;
        }
        const double t = p == 0 ? 0.0 : (p - startLevel) / span;
        const double t2 = t * t;
        const double t3 = t2 * t;
        out[p].x = cx.at(t, t2, t3);
        out[p].y = cy.at(t, t2, t3);
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
    return static_cast<std::uint16_t>(std::trunc(clampLevel(Y) + 0.5));
}

}  // namespace

ToneTable interpolateTable(const ControlPointArray& points, int n) {
    ToneTable result{};
    if (n < 3 || n > LevelCount) return result;
    const ControlPointArray pts = points;
    PlanePoint spline[LevelCount];
    sampleSpline(pts, n, spline);
    for (int L = 0; L < LevelCount; ++L) result[L] = levelValue(L, spline);
    return result;
}

}  // namespace grayden
