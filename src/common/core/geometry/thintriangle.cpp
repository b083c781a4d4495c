#include "common/core/geometry/thintriangle.h"

#include <algorithm>
#include <cmath>

namespace blachorys::core {

double apexAngle(double previousSide, double side, double base) {
    const double f = (base * base - side * side + previousSide * previousSide) / (2 * previousSide);
    // A triangle flat to within rounding can make base² − f² a hair negative; its height is 0.
    const double height = std::sqrt(std::max(0.0, base * base - f * f));
    // atan2 is arctan(height / (previousSide − f)) with π added where that is negative, and it
    // stays defined where previousSide − f is 0 (a right angle at the apex: π/2).
    return std::atan2(height, previousSide - f);
}

} // namespace blachorys::core
