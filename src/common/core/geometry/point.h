#pragma once

#include <cmath>

namespace blachorys::core {

/**
 * A hair of rounding for lengths of about `size` mm: a point this far past an edge is on it,
 * a length this far below zero is zero.
 */
inline double roundingAt(double size) {
    return 1e-6 + 1e-9 * size;
}

/** A point of a flat pattern, or a direction in its plane, millimetres, Y up (the DXF's frame). */
struct PatternPoint {
    double x = 0.0;
    double y = 0.0;
    friend bool operator==(const PatternPoint&, const PatternPoint&) = default;
};

inline PatternPoint operator+(PatternPoint a, PatternPoint b) {
    return {a.x + b.x, a.y + b.y};
}
inline PatternPoint operator-(PatternPoint a, PatternPoint b) {
    return {a.x - b.x, a.y - b.y};
}
inline PatternPoint operator*(double s, PatternPoint a) {
    return {s * a.x, s * a.y};
}
inline PatternPoint operator*(PatternPoint a, double s) {
    return {a.x * s, a.y * s};
}
inline double dot(PatternPoint a, PatternPoint b) {
    return a.x * b.x + a.y * b.y;
}
/** The z of the cross product: positive when `b` turns anticlockwise from `a`. */
inline double cross(PatternPoint a, PatternPoint b) {
    return a.x * b.y - a.y * b.x;
}
/** Twice the signed area of the triangle o, p, q: positive when it runs anticlockwise. */
inline double cross(PatternPoint o, PatternPoint p, PatternPoint q) {
    return cross(p - o, q - o);
}
inline double length(PatternPoint a) {
    return std::hypot(a.x, a.y);
}
inline double distance(PatternPoint a, PatternPoint b) {
    return length(a - b);
}
/**
 * The angle of `p` about the origin, radians, on the turn round `middle`: a sector's points,
 * which may reach past a half turn either side of the X axis, read without a jump.
 */
inline double sectorAngle(PatternPoint p, double middle) {
    const double psi = std::atan2(p.y, p.x);
    constexpr double kTurn = 6.283185307179586;
    return psi + kTurn * std::round((middle - psi) / kTurn);
}

inline bool isFinite(PatternPoint a) {
    return std::isfinite(a.x) && std::isfinite(a.y);
}

} // namespace blachorys::core
