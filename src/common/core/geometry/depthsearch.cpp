#include "common/core/geometry/depthsearch.h"

namespace blachorys::core {

double depthOfMaximum(double low, double high, const std::function<double(double)>& value,
                      int steps) {
    constexpr double kGolden = 0.6180339887498949;
    double a = low;
    double b = high;
    double c = b - kGolden * (b - a);
    double d = a + kGolden * (b - a);
    double atC = value(c);
    double atD = value(d);
    for (int step = 0; step < steps; ++step) {
        if (atC > atD) {
            b = d;
            d = c;
            atD = atC;
            c = b - kGolden * (b - a);
            atC = value(c);
        } else {
            a = c;
            c = d;
            atC = atD;
            d = a + kGolden * (b - a);
            atD = value(d);
        }
    }
    double best = low;
    double atBest = value(best);
    for (const double depth : {high, (a + b) / 2}) {
        const double at = value(depth);
        if (at > atBest) {
            best = depth;
            atBest = at;
        }
    }
    return best;
}

double depthOfMinimum(double low, double high, const std::function<double(double)>& value,
                      int steps) {
    return depthOfMaximum(
        low, high, [&value](double depth) { return -value(depth); }, steps);
}

double depthOfMaximumFacesFirst(double low, double high, const std::function<double(double)>& value,
                                double slopeStep, int steps) {
    // A value with one maximum over the wall that still rises at a face has it there.
    if (value(high) >= value(high - slopeStep)) {
        return high;
    }
    if (value(low) >= value(low + slopeStep)) {
        return low;
    }
    return depthOfMaximum(low, high, value, steps);
}

double depthOfMinimumFacesFirst(double low, double high, const std::function<double(double)>& value,
                                double slopeStep, int steps) {
    return depthOfMaximumFacesFirst(
        low, high, [&value](double depth) { return -value(depth); }, slopeStep, steps);
}

} // namespace blachorys::core
