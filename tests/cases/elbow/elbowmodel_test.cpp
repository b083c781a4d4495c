#include "cases/elbow/elbowmodel.h"
#include "cases/elbow/elbowoutputs.h"
#include "common/core/geometry/curvesampling.h"
#include "support/drawncut.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;

ElbowInputs elbow(double Dr, double Rk, double BETA, int Ns, int N) {
    return {Dr, Rk, BETA, Ns, N};
}

double radians(double degrees) {
    return degrees * kPi / 180;
}

TEST(ElbowModel, DefaultsGiveTheWorkedExample) {
    const ElbowModel m = computeElbow({});
    EXPECT_DOUBLE_EQ(halfAngleDegrees({}), 9.0);
    EXPECT_DOUBLE_EQ(m.halfAngle, radians(9.0));
    ASSERT_EQ(m.L.size(), 25u);
    ASSERT_EQ(m.h.size(), 25u);
    // Generator 0 on the inner side of the bend, 12 on the outer side, 24 back at the seam.
    EXPECT_EQ(m.L[0], 0.0);
    EXPECT_NEAR(m.h[0], 102.95, 0.005);
    EXPECT_NEAR(m.L[12], 471.24, 0.005);
    EXPECT_NEAR(m.h[12], 150.47, 0.005);
    EXPECT_NEAR(m.L[24], 942.48, 0.005);
    EXPECT_NEAR(m.h[24], m.h[0], 1e-12);
    EXPECT_EQ(m.hmax, m.h[12]);
    EXPECT_DOUBLE_EQ(m.Lc, 300 * kPi);
    EXPECT_NEAR(m.middleCentreLine(), 376.16, 0.005);
    EXPECT_TRUE(isFinite(m));
}

TEST(ElbowModel, SharpInnerCornerHasNoHeightThere) {
    const ElbowModel m = computeElbow(elbow(300, 150, 90, 6, 24));
    EXPECT_EQ(m.h[0], 0.0);
    EXPECT_NEAR(m.h[24], 0.0, 1e-12);
    // The outer side is a full diameter from the bend's axis.
    EXPECT_NEAR(m.hmax, std::tan(radians(9)) * 300, 1e-9);
}

TEST(ElbowModel, TwoDivisionsGiveInnerOuterInner) {
    const ElbowModel m = computeElbow(elbow(300, 800, 90, 6, 2));
    ASSERT_EQ(m.L.size(), 3u);
    EXPECT_DOUBLE_EQ(m.L[1], m.Lc / 2);
    EXPECT_DOUBLE_EQ(m.L[2], m.Lc);
    EXPECT_NEAR(m.h[0], std::tan(radians(9)) * 650, 1e-9);
    EXPECT_NEAR(m.h[1], std::tan(radians(9)) * 950, 1e-9);
    EXPECT_NEAR(m.h[2], m.h[0], 1e-12);
    EXPECT_EQ(m.hmax, m.h[1]);
}

TEST(ElbowModel, FullTurnInThreeSegmentsHasAHalfAngleOfNinetyDegrees) {
    EXPECT_EQ(halfAngleDegrees(elbow(300, 800, 360, 3, 24)), 90.0);
    EXPECT_EQ(halfAngleDegrees(elbow(300, 800, 360, 4, 24)), 60.0);
    EXPECT_EQ(halfAngleDegrees(elbow(300, 800, 45.5, 3, 24)), 11.375);
}

struct ElbowCase {
    const char* what;
    ElbowInputs inputs;
};

class ElbowPatterns : public ::testing::TestWithParam<ElbowCase> {};

// Rolling the A pattern back onto the pipe must give a flat cut: every point of its curve lies
// in one plane, inclined to the pipe's cross-section by half the turn of a joint.
TEST_P(ElbowPatterns, TheCutRolledBackOntoThePipeIsOnePlaneAtTheHalfAngle) {
    const ElbowInputs& in = GetParam().inputs;
    const ElbowModel m = computeElbow(in);
    ASSERT_TRUE(isFinite(m));
    const double r = in.Dr / 2;
    std::vector<std::array<double, 3>> rolled;
    for (std::size_t i = 0; i < m.L.size(); ++i) {
        const double around = m.L[i] / r; // arc length back to angle
        rolled.push_back({r * std::cos(around), r * std::sin(around), m.h[i]});
    }
    // The plane through three generators a third of the way round from one another.
    const std::size_t n = m.L.size() - 1;
    const auto& p = rolled[0];
    const auto& q = rolled[n / 3];
    const auto& s = rolled[2 * n / 3];
    const std::array<double, 3> u{q[0] - p[0], q[1] - p[1], q[2] - p[2]};
    const std::array<double, 3> v{s[0] - p[0], s[1] - p[1], s[2] - p[2]};
    std::array<double, 3> normal{u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2],
                                 u[0] * v[1] - u[1] * v[0]};
    const double length = std::hypot(normal[0], normal[1], normal[2]);
    const double sign = normal[2] < 0 ? -1.0 : 1.0; // the normal pointing along the axis
    for (double& c : normal) {
        c *= sign / length;
    }
    for (std::size_t i = 0; i <= n; ++i) {
        const double distance = (rolled[i][0] - p[0]) * normal[0] +
                                (rolled[i][1] - p[1]) * normal[1] +
                                (rolled[i][2] - p[2]) * normal[2];
        EXPECT_NEAR(distance, 0.0, 1e-9 * (in.Rk + in.Dr)) << i;
    }
    // The plane's normal leans from the pipe's axis by the half angle.
    const double expected = radians(in.BETA / (2.0 * (in.Ns - 1)));
    EXPECT_NEAR(std::atan2(std::hypot(normal[0], normal[1]), normal[2]), expected, 1e-9);
    // It leans towards the inner side (angle 0 round the pipe): the cut rises to the outer.
    EXPECT_GT(normal[0], 0.0);
    EXPECT_NEAR(normal[1], 0.0, 1e-9);
}

// Everywhere along the drawn cuts of A and of B's two halves, at the table's parts and at the
// most, a generator at angle φ round the pipe from the inner side is (Rk − r·cos φ)·tan of the
// half angle long: the cut is the plane found above.
TEST_P(ElbowPatterns, TheDrawnCutsFollowThePlaneBetweenThePoints) {
    for (const int divisions : {GetParam().inputs.N, 2000}) {
        ElbowInputs in = GetParam().inputs;
        in.N = divisions;
        const ElbowModel m = computeElbow(in);
        const double r = in.Dr / 2;
        const double slope = std::tan(radians(halfAngleDegrees(in)));
        double worst = 0.0;
        for (const PatternPoint p :
             test::drawnPointsOf(elbowOutputs(m, "d").pattern, LineRole::CutCurve)) {
            const double h = (in.Rk - r * std::cos(p.x / r)) * slope;
            const double offA = std::fabs(p.y - h);
            const double offB = std::fabs(std::fabs(p.y - m.middleCentreLine()) - h);
            worst = std::max(worst, std::min(offA, offB));
        }
        EXPECT_LE(worst, kCutAllowance) << divisions;
    }
}

// The mitred segments' axes form a polygon round the bend's centre, each side touching the
// circle of radius Rk at its middle. Walking it from the elbow's straight start must end on
// that circle at the angle BETA, heading along its tangent.
TEST_P(ElbowPatterns, TheSegmentsAxesTurnTheElbowThroughBeta) {
    const ElbowInputs& in = GetParam().inputs;
    const ElbowModel m = computeElbow(in);
    // The cut is flat, so the axis is as long as the mean of generators spread evenly round.
    double endAxis = 0.0;
    for (std::size_t i = 0; i + 1 < m.h.size(); ++i) {
        endAxis += m.h[i] / in.N;
    }
    const double turn = 2 * m.halfAngle;
    // Start at the origin heading along +y; the bend's centre is at (Rk, 0).
    double x = 0.0;
    double y = 0.0;
    double heading = 0.0; // turned from +y towards +x
    for (int segment = 0; segment < in.Ns; ++segment) {
        const bool end = segment == 0 || segment == in.Ns - 1;
        const double length = end ? endAxis : 2 * endAxis;
        x += length * std::sin(heading);
        y += length * std::cos(heading);
        if (segment < in.Ns - 1) {
            heading += turn;
        }
    }
    const double beta = radians(in.BETA);
    EXPECT_NEAR(heading, beta, 1e-12);
    EXPECT_NEAR(x, in.Rk * (1 - std::cos(beta)), 1e-9 * in.Rk);
    EXPECT_NEAR(y, in.Rk * std::sin(beta), 1e-9 * in.Rk);
}

TEST_P(ElbowPatterns, TheStripIsTheCircumferenceAndSymmetricAboutTheOuterSide) {
    const ElbowInputs& in = GetParam().inputs;
    const ElbowModel m = computeElbow(in);
    const std::size_t n = m.L.size() - 1;
    ASSERT_EQ(n, static_cast<std::size_t>(in.N));
    EXPECT_EQ(m.L[0], 0.0);
    EXPECT_NEAR(m.L[n], kPi * in.Dr, 1e-12 * in.Dr);
    EXPECT_NEAR(m.Lc, kPi * in.Dr, 1e-12 * in.Dr);
    double highest = 0.0;
    for (std::size_t i = 0; i <= n; ++i) {
        // Equal divisions; the cut is mirrored in the plane of the bend.
        EXPECT_NEAR(m.L[i], m.Lc * static_cast<double>(i) / in.N, 1e-9 * in.Dr) << i;
        EXPECT_NEAR(m.h[i], m.h[n - i], 1e-9 * in.Rk) << i;
        EXPECT_GE(m.h[i], m.h[0] - 1e-9 * in.Rk) << "the seam is the shortest generator";
        highest = std::max(highest, m.h[i]);
    }
    EXPECT_EQ(m.hmax, highest);
    EXPECT_GE(m.hmax, 0.0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ElbowPatterns,
    ::testing::Values(ElbowCase{"defaults", elbow(300, 800, 90, 6, 24)},
                      ElbowCase{"three_segments", elbow(300, 800, 90, 3, 24)},
                      ElbowCase{"sharp_inner_corner", elbow(300, 150, 90, 6, 24)},
                      ElbowCase{"full_turn", elbow(219.1, 400, 360, 9, 36)},
                      ElbowCase{"full_turn_four_segments", elbow(100, 60, 360, 4, 12)},
                      ElbowCase{"odd_divisions", elbow(508, 1200.5, 135.5, 5, 37)},
                      ElbowCase{"slight_bend", elbow(60.3, 90, 1.5, 7, 200)},
                      ElbowCase{"most_divisions", elbow(1000, 2000, 60, 4, 2000)}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(ElbowModel, TheTablesAreExactlyAsLongAsTheDivisions) {
    for (int N : {2, 3, 24, 2000}) {
        const ElbowModel m = computeElbow(elbow(300, 800, 90, 6, N));
        EXPECT_EQ(m.L.size(), static_cast<std::size_t>(N) + 1);
        EXPECT_EQ(m.h.size(), static_cast<std::size_t>(N) + 1);
    }
}

TEST(ElbowModel, NumbersBeyondRangeAreNotFinite) {
    EXPECT_FALSE(isFinite(computeElbow(elbow(1e308, 1e308, 90, 6, 24))));
    EXPECT_FALSE(isFinite(computeElbow(elbow(300, 1e308, 359.99, 3, 24))));
    EXPECT_TRUE(isFinite(computeElbow(elbow(300, 1e300, 90, 6, 24))));
}

TEST(ElbowValidation, MessagesInOrder) {
    using Messages = std::vector<std::string>;
    const auto with = [](void (*change)(ElbowInputs&)) {
        ElbowInputs in;
        change(in);
        return validateElbow(in);
    };
    EXPECT_EQ(validateElbow({}), Messages{});
    EXPECT_EQ(with([](ElbowInputs& in) { in.N = 1; }), Messages{"Blad danych : N < 2"});
    EXPECT_EQ(with([](ElbowInputs& in) { in.N = 2001; }), Messages{"Blad danych : N > 2000"});
    EXPECT_EQ(with([](ElbowInputs& in) { in.N = 2; }), Messages{});
    EXPECT_EQ(with([](ElbowInputs& in) { in.N = 2000; }), Messages{});
    EXPECT_EQ(with([](ElbowInputs& in) { in.Ns = 2; }), Messages{"Blad danych : Ns < 3"});
    EXPECT_EQ(with([](ElbowInputs& in) { in.Ns = 3; }), Messages{});
    EXPECT_EQ(with([](ElbowInputs& in) { in.Rk = 149.9; }), Messages{"Blad danych : Rk < Dr/2 (pasuje Rk od 150.0)"});
    EXPECT_EQ(with([](ElbowInputs& in) { in.Rk = 150; }), Messages{});
    EXPECT_EQ(with([](ElbowInputs& in) { in.BETA = 360.001; }),
              Messages{"Blad danych : BETA > 360"});
    EXPECT_EQ(with([](ElbowInputs& in) { in.BETA = 360; }), Messages{});
    EXPECT_EQ(with([](ElbowInputs& in) { in.BETA = 0; }), Messages{"Blad danych : BETA = 0"});
    EXPECT_EQ(with([](ElbowInputs& in) { in.BETA = 1e-9; }), Messages{});
    EXPECT_EQ(with([](ElbowInputs& in) {
                  in.N = 0;
                  in.Ns = 0;
                  in.Dr = 2000;
                  in.BETA = 0;
              }),
              (Messages{"Blad danych : N < 2", "Blad danych : Ns < 3",
                        "Blad danych : Rk < Dr/2 (pasuje Rk od 1000.0)",
                        "Blad danych : BETA = 0"}));
    EXPECT_EQ(with([](ElbowInputs& in) {
                  in.N = 5000;
                  in.BETA = 720;
              }),
              (Messages{"Blad danych : N > 2000", "Blad danych : BETA > 360"}));
}

} // namespace
} // namespace blachorys::core
