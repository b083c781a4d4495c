#include "common/core/geometry/coneunrolling.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;

// A right cone unrolls to a sector of 2π times the sine of its half-angle: short by what the
// steps' chords leave of the arc, some 10⁻⁸ of it, a micrometre at four metres.
TEST(ConeUnrolling, ARightConeUnrollsToItsSector) {
    const double radius = 300, height = 400;
    const ConeUnrolling cone(
        {0, 0, height},
        [&](double w) {
            return Point3{radius * std::cos(w), radius * std::sin(w), 0};
        },
        0, 2 * kPi, kUnrollingStepsPerTurn);
    EXPECT_NEAR(cone.totalAngle(), 2 * kPi * radius / std::hypot(radius, height), 1e-7);
    EXPECT_NEAR(cone.parameterAt(cone.developedAngle(1.234)), 1.234, 1e-9);
}

// Unrolling keeps lengths: an oblique cone's base circle, unrolled point by point at each
// point's own distance from the apex, is as long as the circle; and every point rolled back
// lies on the cone, on the generator through the circle's point.
TEST(ConeUnrolling, AnObliqueConeKeepsItsLengthsAndRollsBackOntoItself) {
    const double radius = 400;
    const Point3 apex{-250, 120, 900};
    const auto circle = [&](double w) {
        return Point3{radius * std::cos(w), radius * std::sin(w), 0};
    };
    const ConeUnrolling cone(apex, circle, 0.3, 0.3 + 2 * kPi, kUnrollingStepsPerTurn);
    double flat = 0.0;
    const int steps = 20000;
    for (int k = 0; k < steps; ++k) {
        const double a = 0.3 + 2 * kPi * k / steps;
        const double b = 0.3 + 2 * kPi * (k + 1) / steps;
        const double ra = norm(circle(a) - apex);
        const double rb = norm(circle(b) - apex);
        const double pa = cone.developedAngle(a);
        const double pb = cone.developedAngle(b);
        flat += std::hypot(rb * std::cos(pb) - ra * std::cos(pa),
                           rb * std::sin(pb) - ra * std::sin(pa));
    }
    EXPECT_NEAR(flat, 2 * kPi * radius, 1e-4);
    for (const double w : {0.3, 1.0, 2.5, 4.0, 0.3 + 2 * kPi}) {
        const Point3 back = cone.pointAt(norm(circle(w) - apex), cone.developedAngle(w));
        EXPECT_NEAR(norm(back - circle(w)), 0.0, 1e-6) << w;
    }
}

} // namespace
} // namespace blachorys::core
