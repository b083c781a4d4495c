#include "cases/elbow/elbowcase.h"
#include "common/core/view3d/jointfit.h"
#include "common/core/view3d/viewscene.h"
#include "support/casetexts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;

// Rolled up, every point of every segment lies on a pipe of radius Dr/2 round one of the
// elbow's Ns straight axes: each the tangent to the bend's centre line (Rk round the y axis)
// at the middle of its turn, the end segments' at their square ends.
TEST(ElbowView, EverySegmentLiesOnItsStraightPipe) {
    for (const auto& [Ns, beta] : {std::pair{6, 90.0}, std::pair{3, 45.0}, std::pair{9, 180.0}}) {
        SCOPED_TRACE(Ns);
        const double Dr = 300, Rk = 800;
        const auto result = elbowCalculator().calculate(
            test::changedTexts(elbowCalculator(),
                               {{"Ns", std::to_string(Ns)}, {"BETA", std::to_string(beta)}}),
            0, "d");
        ASSERT_TRUE(result.outputs && result.outputs->view);
        const ViewScene scene = buildViewScene(result.outputs->pattern, result.outputs->view());
        ASSERT_FALSE(scene.empty());
        const double turn = beta * kPi / 180 / (Ns - 1);
        double worst = 0.0;
        for (const Point3 p : scene.points) {
            double nearest = INFINITY;
            for (int s = 0; s < Ns; ++s) {
                const double c = s * turn;
                const Point3 middle{Rk * std::cos(c), 0.0, Rk * std::sin(c)};
                nearest = std::min(
                    nearest,
                    std::fabs(fromLine(p, middle, {-std::sin(c), 0.0, std::cos(c)}) - Dr / 2));
            }
            worst = std::max(worst, nearest);
        }
        EXPECT_LT(worst, 1e-6);
    }
}

// A wall 10 mm thick on an outside diameter of 300, the strips rolled from plate or cut from a
// pipe: every point drawn lies 150 or 140 mm from one of the segments' axes.
TEST(ElbowView, WithAWallBothFacesLieOnTheirPipes) {
    const double Rk = 800, turn = 90.0 * kPi / 180 / 5;
    for (const char* made : {"rolled", "pipe"}) {
        SCOPED_TRACE(made);
        const auto result = elbowCalculator().calculate(
            test::changedTexts(elbowCalculator(), {{"t", "10"}, {"made", made}}), 0, "d");
        ASSERT_TRUE(result.outputs && result.outputs->view);
        const ViewScene scene = buildViewScene(result.outputs->pattern, result.outputs->view());
        ASSERT_FALSE(scene.empty());
        double worst = 0.0;
        for (const Point3 p : scene.points) {
            double nearest = INFINITY;
            for (int s = 0; s < 6; ++s) {
                const double c = s * turn;
                const double from = fromLine(p, {Rk * std::cos(c), 0.0, Rk * std::sin(c)},
                                             {-std::sin(c), 0.0, std::cos(c)});
                nearest = std::min({nearest, std::fabs(from - 150), std::fabs(from - 140)});
            }
            worst = std::max(worst, nearest);
        }
        EXPECT_LT(worst, 1e-6);
    }
}

// An elbow of more segments than the view draws is neither drawn nor measured, and says why;
// one at the limit is both.
TEST(ElbowView, SegmentsPastTheLimitAreRefusedNotDrawn) {
    for (const std::size_t Ns : {kMostDrawnParts, kMostDrawnParts + 1}) {
        SCOPED_TRACE(Ns);
        const auto result = elbowCalculator().calculate(
            test::changedTexts(elbowCalculator(), {{"Ns", std::to_string(Ns)}}), 0, "d");
        ASSERT_TRUE(result.outputs && result.outputs->view);
        const JointView joint = result.outputs->view();
        const bool drawn = Ns <= kMostDrawnParts;
        EXPECT_EQ(buildViewScene(result.outputs->pattern, joint).problem.empty(), drawn);
        EXPECT_EQ(measureFit(result.outputs->pattern, joint).measured, drawn);
    }
}

} // namespace
} // namespace blachorys::core
