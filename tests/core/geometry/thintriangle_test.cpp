#include "common/core/geometry/thintriangle.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;

TEST(ApexAngle, KnownTriangles) {
    // 3-4-5: the angle between the sides 4 and 5 faces the side 3.
    EXPECT_NEAR(apexAngle(4, 5, 3), std::atan(3.0 / 4.0), 1e-15);
    EXPECT_NEAR(apexAngle(5, 4, 3), std::atan(3.0 / 4.0), 1e-15);
    EXPECT_NEAR(apexAngle(1, 1, 1), kPi / 3, 1e-15);
    // Obtuse at the apex: the arctangent is negative and π is added.
    EXPECT_NEAR(apexAngle(1, 1, std::sqrt(3.0)), 2 * kPi / 3, 1e-15);
    // A right angle at the apex: previousSide − f is 0.
    EXPECT_NEAR(apexAngle(3, 4, 5), kPi / 2, 1e-15);
}

TEST(ApexAngle, FlatTrianglesGiveZeroNotNaN) {
    EXPECT_EQ(apexAngle(1, 2, 1), 0.0);
    EXPECT_EQ(apexAngle(2, 1, 1), 0.0);
    EXPECT_EQ(apexAngle(1000, 1000, 0), 0.0);
    // Within rounding of flat, as a long thin fan produces.
    EXPECT_FALSE(std::isnan(apexAngle(4039.8, 4039.8 + 0.3135, 0.3135)));
}

TEST(ApexAngle, AgreesWithTheLawOfCosinesOnThinTriangles) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> side(100.0, 5000.0);
    std::uniform_real_distribution<double> angle(1e-5, 0.05);
    for (int i = 0; i < 1000; ++i) {
        const double a = side(random);
        const double b = side(random) * 0.01 + a; // slant sides close to each other
        const double gamma = angle(random);
        // The law of cosines in a form that keeps the small angle's share exact.
        const double half = std::sin(gamma / 2);
        const double base = std::sqrt((b - a) * (b - a) + 4 * a * b * half * half);
        EXPECT_NEAR(apexAngle(a, b, base), gamma, 1e-9 * gamma + 1e-12) << a << ' ' << b;
    }
}

} // namespace
} // namespace blachorys::core
