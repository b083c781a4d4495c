#include "common/core/geometry/outlinenormal.h"

#include <cmath>
#include <numbers>

namespace blachorys::core {

bool runsAnticlockwise(const OutlineAt& outline, int samples) {
    constexpr double kTurn = 2 * std::numbers::pi;
    double twiceArea = 0.0;
    PatternPoint previous = outline(kTurn * (samples - 1) / samples);
    for (int k = 0; k < samples; ++k) {
        const PatternPoint p = outline(kTurn * k / samples);
        twiceArea += previous.x * p.y - p.x * previous.y;
        previous = p;
    }
    return twiceArea > 0;
}

PatternPoint outwardNormalOf(const OutlineAt& outline, double parameter, bool anticlockwise) {
    // A central difference: the outlines are smooth and their parameter is an angle.
    constexpr double kStep = 1e-6;
    const PatternPoint ahead = outline(parameter + kStep);
    const PatternPoint behind = outline(parameter - kStep);
    const double dx = ahead.x - behind.x;
    const double dy = ahead.y - behind.y;
    const double length = std::hypot(dx, dy);
    if (length == 0.0) {
        return {};
    }
    return anticlockwise ? PatternPoint{dy / length, -dx / length}
                         : PatternPoint{-dy / length, dx / length};
}

} // namespace blachorys::core
