#include "cases/elbow/elbowcase.h"
#include "common/core/calculator/edgeoutputs.h"
#include "common/core/view3d/jointfit.h"
#include "common/core/view3d/viewscene.h"
#include "support/casetexts.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// How far the point lies past the mitres of the segment it lies on, whose wall's faces stand
// `faces` from its axis: over the segments on whose faces it lies, the least.
double pastItsMitres(Point3 p, int Ns, double turn, std::initializer_list<double> faces) {
    const double Rk = 800;
    double least = INFINITY;
    for (int s = 0; s < Ns; ++s) {
        const double c = s * turn;
        const double from = fromLine(p, {Rk * std::cos(c), 0.0, Rk * std::sin(c)},
                                     {-std::sin(c), 0.0, std::cos(c)});
        if (std::none_of(faces.begin(), faces.end(),
                         [from](double r) { return std::fabs(from - r) < 1e-6; })) {
            continue;
        }
        // Signed distances from the planes through the bend's axis: past the lower one below 0.
        const auto side = [p](double alpha) {
            return dot(p, Point3{-std::sin(alpha), 0.0, std::cos(alpha)});
        };
        const double low = s == 0 ? 0.0 : c - turn / 2;
        const double high = s == Ns - 1 ? c : c + turn / 2;
        least = std::min(least, std::max({0.0, -side(low), side(high)}));
    }
    return least;
}

// The strips' faces drawn as they are cut: square, the inside face of a 10 mm wall stands past
// the mitre plane into the neighbour's; fitted, every point of both faces and of the cut's own
// face between them stays within its segment, so the view shows the elbow closing.
TEST(ElbowView, AFittedEdgeIsDrawnWithinItsMitres) {
    const int Ns = 6;
    const double turn = 90.0 * kPi / 180 / (Ns - 1);
    for (const EdgeChoice choice : {EdgeChoice::Square, EdgeChoice::Fit}) {
        SCOPED_TRACE(edgeChoiceWords(choice));
        const auto result =
            withPreparedEdges(elbowCalculator().calculate(
                                  test::changedTexts(elbowCalculator(), {{"t", "10"}}), 0, "d"),
                              {.choice = choice});
        ASSERT_TRUE(result.outputs && result.outputs->view);
        const ViewScene scene =
            buildViewScene(result.outputs->pattern, result.outputs->view(), &result.outputs->edges);
        ASSERT_FALSE(scene.empty());
        double worst = 0.0;
        for (const Point3 p : scene.points) {
            worst = std::max(worst, pastItsMitres(p, Ns, turn, {150.0, 140.0}));
        }
        if (choice == EdgeChoice::Square) {
            EXPECT_GT(worst, 0.5);
            continue;
        }
        EXPECT_LT(worst, 0.05);
        // The fit figure measures the cut's faces through the wall: the fitted ones, and the
        // same runs cut square through it (both faces' edges on the drawn line) past 0.5 mm.
        const Pattern& pattern = result.outputs->pattern;
        const JointView joint = result.outputs->view();
        EXPECT_LT(measureFit(pattern, joint, &result.outputs->edges).largestGap, 0.05);
        PreparedEdges squareThrough = result.outputs->edges;
        ASSERT_FALSE(squareThrough.runs.empty());
        for (EdgeRun& run : squareThrough.runs) {
            for (std::size_t k = 0; k < run.vertices.size(); ++k) {
                run.nearEdge[k] = run.farEdge[k] =
                    pattern.exactContours[run.contour].points[run.vertices[k]];
            }
        }
        EXPECT_GT(measureFit(pattern, joint, &squareThrough).largestGap, 0.5);
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
