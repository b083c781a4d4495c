// The plane geometry of pieces on plates: motions, areas, the inside test, the thinned chain.
#include "common/core/plate/flatpiece.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace blachorys::core {
namespace {

double boxArea(const std::vector<PatternPoint>& points, const Motion& turn) {
    FlatBox box;
    for (const PatternPoint p : points) {
        box.add(turn(p));
    }
    return box.width() * box.height();
}

/** The smallest box over every hull edge, each edge measured against every point. */
double smallestBoxArea(const std::vector<PatternPoint>& points) {
    const std::vector<PatternPoint> hull = convexHull(points);
    double least = boxArea(points, Motion{});
    for (std::size_t k = 0; k < hull.size(); ++k) {
        const PatternPoint a = hull[k];
        const PatternPoint b = hull[(k + 1) % hull.size()];
        const double l = distance(a, b);
        least = std::min(least, boxArea(points, {(b.x - a.x) / l, -(b.y - a.y) / l, {}}));
    }
    return least;
}

/** An arc of `count` points round a sector's apex, turned by `angle`, and the apex. */
std::vector<PatternPoint> sector(int count, double radius, double opening, double angle) {
    std::vector<PatternPoint> points{{0.0, 0.0}};
    for (int k = 0; k < count; ++k) {
        const double a = angle + opening * k / (count - 1);
        points.push_back({radius * std::cos(a), radius * std::sin(a)});
    }
    return points;
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
    const Contour square{OutlineKind::Piece,
                         {{0, 0}, {100, 0}, {100, 100}, {0, 100}},
                         std::vector<LineRole>(4, LineRole::EndEdge)};
    const Contour hole{OutlineKind::Hole,
                       {{10, 10}, {10, 30}, {30, 30}, {30, 10}},
                       std::vector<LineRole>(4, LineRole::HoleOutline)};
    EXPECT_DOUBLE_EQ(ringArea(square.points), 10000.0);
    EXPECT_DOUBLE_EQ(ringArea(hole.points), -400.0);
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
    const Contour chain{OutlineKind::Piece,
                        {{0, 0}, {1, 0}, {1, 1}},
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

TEST(FlatPiece, UprightTurnGivesTheSmallestBoxOfAnyHullEdge) {
    std::mt19937 random(3);
    std::uniform_real_distribution<double> place(-500.0, 500.0);
    struct Shape {
        const char* name;
        std::vector<PatternPoint> points;
    };
    std::vector<PatternPoint> scattered(300);
    for (PatternPoint& p : scattered) {
        p = {place(random), 0.2 * place(random) + 0.5 * p.x};
    }
    const Shape shapes[] = {
        {"a strip turned 30 degrees",
         {{0, 0},
          {1000 * std::cos(0.52), 1000 * std::sin(0.52)},
          {1000 * std::cos(0.52) - 50 * std::sin(0.52),
           1000 * std::sin(0.52) + 50 * std::cos(0.52)},
          {-50 * std::sin(0.52), 50 * std::cos(0.52)}}},
        {"a sector of a cone", sector(2000, 3000.0, 2.5, 0.7)},
        {"a quarter turn of a finely drawn arc", sector(5000, 1e6, std::numbers::pi / 2, -0.3)},
        {"scattered points", scattered},
        {"an upright rectangle", {{0, 0}, {400, 0}, {400, 100}, {0, 100}}},
    };
    for (const Shape& shape : shapes) {
        SCOPED_TRACE(shape.name);
        const double least = smallestBoxArea(shape.points);
        EXPECT_NEAR(boxArea(shape.points, uprightTurn(shape.points)), least, 1e-9 * least);
    }
}

TEST(FlatPiece, UprightTurnCostsAsManyStepsAsTheHullHasPoints) {
    // A full circle's hull keeps all its points; ten times as many cost about ten times as long
    // (the whole hull for each edge would be a hundred times).
    const auto seconds = [](int count) {
        const std::vector<PatternPoint> circle =
            sector(count, 1e5, 2 * std::numbers::pi * 0.999, 0);
        double best = HUGE_VAL; // the quickest of three: the machine's other work left out
        for (int run = 0; run < 3; ++run) {
            const auto start = std::chrono::steady_clock::now();
            const Motion turn = uprightTurn(circle);
            EXPECT_TRUE(std::isfinite(turn.cos) && std::isfinite(turn.sin));
            best = std::min(
                best,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        }
        return best;
    };
    const double small = seconds(4000);
    const double large = seconds(40000);
    EXPECT_LT(large, 35 * small) << small << " s for 4000 points, " << large << " s for 40000";
}

} // namespace
} // namespace blachorys::core
