#pragma once

namespace blachorys::core {

/**
 * The angle at the apex of a thin triangle, in radians within [0, π], from its three sides:
 * the two slant sides from the apex (`previousSide` and `side`) and the `base` opposite the
 * apex. Every triangulated development adds these angles up, one fine triangle at a time.
 *
 * Half-angle construction: f = (base² − side² + previousSide²) / (2·previousSide) is how far
 * the foot of the triangle's height lies from the base's start, the height is √(base² − f²),
 * and the angle is arctan(height / (previousSide − f)), plus π where that arctangent is
 * negative. The sides must be positive.
 */
double apexAngle(double previousSide, double side, double base);

} // namespace blachorys::core
