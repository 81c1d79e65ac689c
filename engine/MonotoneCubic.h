#pragma once

#include <vector>

namespace grayden {

// A piecewise-cubic Hermite curve through points whose x rise strictly and whose y never fall,
// with the slopes limited as Fritsch and Carlson show, so the curve never falls either and
// overshoots no point. Outside the points it holds the end values.
class MonotoneCubic {
public:
    // False, leaving the curve empty, unless there are at least two points, x rising strictly
    // and y never falling.
    bool fit(const std::vector<double>& x, const std::vector<double>& y);

    double valueAt(double x) const;
    // The smallest x within the points' span whose value reaches y: the first x for a y at or
    // below the first value, the last x for one above the last value.
    double lowestReaching(double y) const;

private:
    double segmentValue(std::size_t k, double x) const;
    // The first segment whose upper end reaches y.
    std::size_t segmentReaching(double y) const;

    std::vector<double> x_;
    std::vector<double> y_;
    std::vector<double> slope_;
};

}  // namespace grayden
