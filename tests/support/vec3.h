#pragma once

#include <cmath>

namespace blachorys::test {

/**
 * A point or direction of the tests' own 3-D checks: they build a joint in space from its
 * description alone, without the program's geometry.
 */
struct Vec {
    double x, y, z;
    Vec operator+(Vec o) const { return {x + o.x, y + o.y, z + o.z}; }
    Vec operator-(Vec o) const { return {x - o.x, y - o.y, z - o.z}; }
    Vec operator*(double s) const { return {x * s, y * s, z * s}; }
    double dot(Vec o) const { return x * o.x + y * o.y + z * o.z; }
    Vec cross(Vec o) const { return {y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x}; }
    double length() const { return std::sqrt(dot(*this)); }
    Vec unit() const { return *this * (1 / length()); }
};

} // namespace blachorys::test
