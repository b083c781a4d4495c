#pragma once

#include <cmath>

namespace blachorys::core {

/** A point or a direction in space, millimetres. */
struct Point3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

inline Point3 operator+(Point3 a, Point3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Point3 operator-(Point3 a, Point3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Point3 operator*(double s, Point3 a) {
    return {s * a.x, s * a.y, s * a.z};
}
inline double dot(Point3 a, Point3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Point3 cross(Point3 a, Point3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double norm(Point3 a) {
    return std::sqrt(dot(a, a));
}
/** `a` made one long; a direction of no length stays as it is. */
inline Point3 unit(Point3 a) {
    const double length = norm(a);
    return length > 0.0 ? (1.0 / length) * a : a;
}
inline bool isFinite(Point3 a) {
    return std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(a.z);
}

/** A straight line: through `origin`, along the unit vector `direction`. */
struct SpaceLine {
    Point3 origin;
    Point3 direction;
};

/** How far `p` lies from the line through `through` along the unit direction `along`. */
inline double fromLine(Point3 p, Point3 through, Point3 along) {
    const Point3 d = p - through;
    const double a = dot(d, along);
    return std::sqrt(std::fmax(0.0, dot(d, d) - a * a));
}

} // namespace blachorys::core
