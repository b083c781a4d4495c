// The plane geometry of pieces on plates: motions, areas, the inside test, the thinned chain.
#include "common/core/flatpiece.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace blachorys::core {
namespace {

double distance(PatternPoint a, PatternPoint b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

TEST(FlatPiece, MotionsComposeInvertAndCarryOneSegmentOntoAnother) {
    const Motion quarter = Motion::quarterTurns(1);
    EXPECT_EQ(quarter({2.0, 1.0}), (PatternPoint{-1.0, 2.0})) << "exactly, no rounding";
    EXPECT_EQ(Motion::quarterTurns(-1)({2.0, 1.0}), (PatternPoint{1.0, -2.0}));
    const Motion m = quarter.then(Motion::moveBy({10.0, -5.0}));
    const PatternPoint p{3.0, 4.0};
    EXPECT_EQ(m(p), (PatternPoint{6.0, -2.0}));
    EXPECT_LT(distance(m.inverse()(m(p)), p), 1e-12);
    const Motion onto = motionOnto({0, 0}, {3, 4}, {10, 10}, {10, 20});
    EXPECT_LT(distance(onto({0, 0}), {10, 10}), 1e-12);
    EXPECT_LT(distance(onto({3, 4}), {10, 15}), 1e-12) << "a rigid motion keeps the length 5";
}

TEST(FlatPiece, NetAreaIsTheOutlinesLessTheHolesWhicheverWayTheyRun) {
    const Contour square{OutlineKind::Piece, {{0, 0}, {100, 0}, {100, 100}, {0, 100}},
                         std::vector<LineRole>(4, LineRole::EndEdge)};
    const Contour hole{OutlineKind::Hole, {{10, 10}, {10, 30}, {30, 30}, {30, 10}},
                       std::vector<LineRole>(4, LineRole::HoleOutline)};
    EXPECT_DOUBLE_EQ(signedArea(square.points), 10000.0);
    EXPECT_DOUBLE_EQ(signedArea(hole.points), -400.0);
    EXPECT_DOUBLE_EQ(netArea({reversed(square), {reversed(hole)}}), 9600.0);
    const PatternPoint middle = centroidOf(square);
    EXPECT_DOUBLE_EQ(middle.x, 50.0);
    EXPECT_DOUBLE_EQ(middle.y, 50.0);
    const InsideTest inside(FlatPiece{square, {hole}});
    EXPECT_TRUE(inside.contains({50, 50}));
    EXPECT_FALSE(inside.contains({20, 20})) << "in the hole";
    EXPECT_FALSE(inside.contains({150, 50}));
}

TEST(FlatPiece, ReversedChainKeepsEachEdgeItsRole) {
    const Contour chain{OutlineKind::Piece, {{0, 0}, {1, 0}, {1, 1}},
                        {LineRole::EndEdge, LineRole::SeamEdge, LineRole::CutCurve}};
    const Contour back = reversed(chain);
    // The edge (1,1)→(1,0) is the seam, (1,0)→(0,0) the end edge, (0,0)→(1,1) the cut.
    EXPECT_EQ(back.points, (std::vector<PatternPoint>{{1, 1}, {1, 0}, {0, 0}}));
    EXPECT_EQ(back.roles,
              (std::vector<LineRole>{LineRole::SeamEdge, LineRole::EndEdge, LineRole::CutCurve}));
}

TEST(FlatPiece, ThinnedArcStaysWithinItsToleranceWithFewPoints) {
    std::vector<PatternPoint> arc;
    const double r = 1000.0;
    for (int k = 0; k <= 2000; ++k) {
        const double a = std::numbers::pi * k / 2000;
        arc.push_back({r * std::cos(a), r * std::sin(a)});
    }
    arc.push_back({0, -10});
    const auto thin = simplifiedChain(arc, 0.25);
    // Chords of the widest angle the tolerance allows would need π / 2 acos(1 − 0.25 / r).
    const double fewest = std::numbers::pi / (2 * std::acos(1 - 0.25 / r));
    EXPECT_LT(static_cast<double>(thin.size()), 2 * fewest);
    // The sagitta of each chord kept: r (1 − cos(θ/2)), θ the widest angle between neighbours.
    double widest = 0.0;
    ASSERT_EQ(thin.back(), arc.back());
    for (std::size_t k = 0; k + 2 < thin.size(); ++k) {
        widest = std::max(widest, std::fabs(std::atan2(thin[k + 1].y, thin[k + 1].x) -
                                            std::atan2(thin[k].y, thin[k].x)));
    }
    EXPECT_GT(widest, 0.0);
    EXPECT_LE(r * (1 - std::cos(widest / 2)), 0.25 + 1e-9);
}

} // namespace
} // namespace blachorys::core
