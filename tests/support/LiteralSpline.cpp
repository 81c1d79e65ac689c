#include "tests/support/LiteralSpline.h"

#include <cmath>

namespace grayden::testing {

namespace {

struct XY {
    double x, y;
};

XY splineAt(const ControlPointArray& pts, int n, double p) {
    int i = 0;
    while (!(pts[i + 1].level >= p)) ++i;
    double t = (p - pts[i].level) / (pts[i + 1].level - pts[i].level);
    if (p == 0) t = 0;
    const double t2 = t * t, t3 = t2 * t;
    auto coord = [&](bool y) {
        auto P = [&](int k) -> double { return (k < 0 || k >= n) ? 0.0 : (y ? pts[k].value : pts[k].level); };
        const double p0 = P(i - 1), p1 = P(i), p2 = P(i + 1), p3 = P(i + 2);
        double a, b, c, d;
        if (i == 0) {
            a = 0;
            b = p1 - 2 * p2 + p3;
            c = -3 * p1 + 4 * p2 - p3;
            d = 2 * p1;
        } else if (i == n - 2) {
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
    };
    return {coord(false), coord(true)};
}

}  // namespace

ToneTable literalInterpolateTable(const ControlPointArray& points, int n) {
    ToneTable out{};
    for (int L = 0; L < 256; ++L) {
        double p = L;
        XY s = splineAt(points, n, p);
        double X = s.x, Y = s.y;
        if (L < std::trunc(X)) {
            XY q = s;
            while (L < q.x) {
                X = q.x;
                Y = q.y;
                p -= 1;
                q = splineAt(points, n, p);
            }
            if (q.x != X) Y = Y - (X - L) * (Y - q.y) / (X - q.x);
        } else if (X < L) {
            XY q = s;
            while (L > q.x) {
                X = q.x;
                Y = q.y;
                p += 1;
                q = splineAt(points, n, p);
            }
            if (q.x != X) Y = Y - (X - L) * (Y - q.y) / (X - q.x);
        }
        if (Y < 0) Y = 0;
        if (Y > 8160) Y = 8160;
        out[L] = static_cast<std::uint16_t>(std::trunc(Y + 0.5));
    }
    return out;
}

}  // namespace grayden::testing
