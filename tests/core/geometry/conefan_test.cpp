#include "common/core/geometry/conefan.h"

#include <gtest/gtest.h>
#include <hwy/targets.h>

#include <cmath>
#include <iostream>
#include <numbers>
#include <string>
#include <vector>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;
using Long = long double;

std::string describe(const SectionFan& fan) {
    return "fan z=" + std::to_string(fan.z) + " R=" + std::to_string(fan.R) +
           " e=" + std::to_string(fan.e) + " phi=" + std::to_string(fan.phi) +
           " steps=" + std::to_string(fan.steps);
}

SectionFan fanOf(double z, double R, double e, double phi, int steps) {
    return {z, R, e, phi, R * phi / steps, steps};
}

/** The generator at section angle φ, worked out in long double. */
Long generatorLength(const SectionFan& fan, Long phi) {
    const Long across = fan.R * std::cos(phi);
    const Long along = fan.e + fan.R * std::sin(phi);
    return std::sqrt(Long{fan.z} * fan.z + across * across + along * along);
}

/** The apex angle from the three sides by the half-angle construction, in long double. */
Long apexAngleLong(Long previousSide, Long side, Long base) {
    const Long f = (base * base - side * side + previousSide * previousSide) / (2 * previousSide);
    const Long height = std::sqrt(std::max(Long{0}, base * base - f * f));
    return std::atan2(height, previousSide - f);
}

struct FanTables {
    std::vector<double> angles;
    std::vector<double> lengths;
};

FanTables tablesOf(const SectionFan& fan) {
    FanTables tables{std::vector<double>(static_cast<std::size_t>(fan.steps)),
                     std::vector<double>(static_cast<std::size_t>(fan.steps) + 1)};
    fanAngles(fan, tables.angles, tables.lengths);
    return tables;
}

// Steps that fill whole vectors and tiles, and steps that leave a part of one over.
const std::vector<int> kStepCounts{1, 7, 8, 64, 65, 1000, 8000, 8001};

TEST(SectionFan, RightConeFanIsEqualIsoscelesTriangles) {
    // With the section centred on the axis every generator is as long as the next: each
    // triangle is isosceles with the arc of one step as its base.
    for (const double phi : {2.0, -2.5, kPi, 1e-3}) {
        for (const int steps : kStepCounts) {
            const SectionFan fan = fanOf(3500, 350, 0, phi, steps);
            const double slant = std::hypot(3500.0, 350.0);
            const double each = 2 * std::asin(std::fabs(fan.base) / (2 * slant));
            const FanSum sum = fanSum(fan);
            // Each angle within 1e-15 of itself; the running sums carry their rounding along,
            // so adding 8000 of them costs about an ulp, not 8000/2.
            EXPECT_NEAR(sum.angle, steps * each, 2e-15 * steps * each) << describe(fan);
            EXPECT_NEAR(sum.lastLength, slant, 1e-15 * slant) << describe(fan);
            const FanTables tables = tablesOf(fan);
            for (std::size_t j = 0; j < tables.angles.size(); ++j) {
                ASSERT_NEAR(tables.angles[j], each, 1e-15 * each) << describe(fan) << " step " << j;
                ASSERT_NEAR(tables.lengths[j + 1], slant, 1e-15 * slant)
                    << describe(fan) << " step " << j;
            }
        }
    }
}

/** Oblique fans: long ones, ones passing near the apex, and a flat cone's wide triangles. */
const std::vector<SectionFan> kObliqueFans{
    fanOf(3500, 350, 350, 2.0, 8000), fanOf(3500, 350, -350, -2.5, 8000),
    fanOf(800, 600, -450, 3.1, 8001), fanOf(40, 900, -880, 3.0, 8000),
    fanOf(30, 1000, -990, 3.0, 64),   fanOf(2.0, 500, 490, -2.9, 65),
    fanOf(1200, 100, 30, 0.5, 7),     fanOf(5000, 2500, 1000, kPi / 2, 1000),
};

TEST(SectionFan, EveryTriangleHasTheAngleOfItsSides) {
    // Each generator as long as its point's distance from the apex, and each apex angle the
    // angle of the triangle of two generators and one step's arc, both worked out in long
    // double the straightforward way.
    int wide = 0;
    for (const SectionFan& fan : kObliqueFans) {
        const FanTables tables = tablesOf(fan);
        const Long delta = Long{fan.phi} / fan.steps;
        Long previous = generatorLength(fan, 0);
        EXPECT_NEAR(tables.lengths[0], static_cast<double>(previous), 1e-15 * tables.lengths[0]);
        for (std::size_t j = 1; j <= tables.angles.size(); ++j) {
            const Long length = generatorLength(fan, static_cast<Long>(j) * delta);
            const Long angle = apexAngleLong(previous, length, std::fabs(fan.base));
            // Near the apex the length is the small difference e + R·sin φ: its rounding and
            // the sine's, some e·R/ℓ·1e-15, count against a short generator.
            const double l = tables.lengths[j];
            ASSERT_NEAR(l, static_cast<double>(length), 2e-15 * (l + std::fabs(fan.e) * fan.R / l))
                << describe(fan) << " generator " << j;
            ASSERT_NEAR(tables.angles[j - 1], static_cast<double>(angle),
                        static_cast<double>(1e-13 * angle) + 1e-18)
                << describe(fan) << " step " << j;
            // Triangles past the thin ones' series: sin²(α/2) above 1/256.
            wide += std::sin(tables.angles[j - 1] / 2) > 1.0 / 16 ? 1 : 0;
            previous = length;
        }
    }
    EXPECT_GT(wide, 0) << "no fan reached the wide triangles";
}

TEST(SectionFan, SumIsTheAnglesAddedUpAndEndsOnTheLastGenerator) {
    for (const SectionFan& fan : kObliqueFans) {
        const FanTables tables = tablesOf(fan);
        Long total = 0;
        for (const double angle : tables.angles) {
            total += angle;
        }
        const FanSum sum = fanSum(fan);
        EXPECT_NEAR(sum.angle, static_cast<double>(total), 1e-15 * static_cast<double>(total))
            << describe(fan);
        EXPECT_EQ(sum.lastLength, tables.lengths.back()) << describe(fan);
    }
}

TEST(SectionFan, NoTurnDevelopsNoAngle) {
    const SectionFan fan = fanOf(3500, 350, 200, 0.0, 8000);
    const FanSum sum = fanSum(fan);
    EXPECT_EQ(sum.angle, 0.0);
    EXPECT_EQ(sum.lastLength, std::sqrt(3500.0 * 3500 + 350.0 * 350 + 200.0 * 200));
    EXPECT_EQ(fanSum(fanOf(3500, 350, 200, 1.0, 0)).angle, 0.0);
}

TEST(SectionFan, ShortTablesAreRefused) {
    const SectionFan fan = fanOf(3500, 350, 200, 1.0, 100);
    std::vector<double> angles(99);
    std::vector<double> lengths(101);
    EXPECT_THROW(fanAngles(fan, angles, lengths), std::invalid_argument);
}

TEST(SectionFan, EveryInstructionSetGivesTheSameBits) {
    // The vector code is built for several instruction sets and the processor's best is used:
    // each must give the very same numbers, so a pattern does not depend on the machine.
    const std::vector<int64_t> targets = hwy::SupportedAndGeneratedTargets();
    ASSERT_FALSE(targets.empty());
    std::vector<FanSum> first;
    std::vector<FanTables> firstTables;
    std::string names;
    for (const int64_t target : targets) {
        hwy::SetSupportedTargetsForTest(target);
        names += std::string(hwy::TargetName(target)) + " ";
        std::vector<FanSum> sums;
        std::vector<FanTables> tables;
        for (const SectionFan& fan : kObliqueFans) {
            sums.push_back(fanSum(fan));
            tables.push_back(tablesOf(fan));
        }
        if (first.empty()) {
            first = sums;
            firstTables = tables;
            continue;
        }
        for (std::size_t f = 0; f < kObliqueFans.size(); ++f) {
            EXPECT_EQ(sums[f].angle, first[f].angle)
                << hwy::TargetName(target) << describe(kObliqueFans[f]);
            EXPECT_EQ(sums[f].lastLength, first[f].lastLength) << hwy::TargetName(target);
            EXPECT_EQ(tables[f].angles, firstTables[f].angles) << hwy::TargetName(target);
            EXPECT_EQ(tables[f].lengths, firstTables[f].lengths) << hwy::TargetName(target);
        }
    }
    hwy::SetSupportedTargetsForTest(0);
    RecordProperty("instruction_sets", names);
    std::cout << "[          ] instruction sets compared: " << names << '\n';
}

} // namespace
} // namespace blachorys::core
