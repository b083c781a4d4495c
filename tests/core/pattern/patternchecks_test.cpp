// patternFault's crossing search held to a brute-force count of proper crossings over seeded
// random outlines: tangles that mostly cross themselves, stars that do not, stars with two
// corners swapped (a crossing or three among hundreds of edges), and pairs of stars that
// overlap or not. The corners are whole millimetres, so every side test of the count is exact.
#include "common/core/pattern/patternchecks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>
#include <utility>
#include <vector>

namespace blachorys::core {
namespace {

using Outline = std::vector<PatternPoint>;
using Random = std::mt19937_64;

/** A whole number from `low` to `high`, the same with every standard library. */
double whole(Random& random, int low, int high) {
    return low + static_cast<double>(random() % static_cast<std::uint64_t>(high - low + 1));
}

/** Corners evenly round a centre at random distances, rounded to whole millimetres. */
Outline star(Random& random, int corners, int centreLow, int centreHigh) {
    const PatternPoint c{whole(random, centreLow, centreHigh),
                         whole(random, centreLow, centreHigh)};
    Outline outline;
    for (int k = 0; k < corners; ++k) {
        const double angle = 2 * std::numbers::pi * k / corners;
        const double radius = whole(random, 100, 300);
        outline.push_back({std::round(c.x + radius * std::cos(angle)),
                           std::round(c.y + radius * std::sin(angle))});
    }
    return outline;
}

/** Whether q and r lie strictly on either side of the line through o and p. */
bool apart(PatternPoint o, PatternPoint p, PatternPoint q, PatternPoint r) {
    const auto side = [&](PatternPoint s) {
        return (p.x - o.x) * (s.y - o.y) - (p.y - o.y) * (s.x - o.x);
    };
    return (side(q) > 0 && side(r) < 0) || (side(q) < 0 && side(r) > 0);
}

/** Every pair of edges that cross at a point inside both, the outlines' own pairs included. */
int properCrossings(const std::vector<Outline>& outlines) {
    std::vector<std::pair<PatternPoint, PatternPoint>> edges;
    for (const Outline& o : outlines) {
        for (std::size_t k = 0; k < o.size(); ++k) {
            edges.push_back({o[k], o[(k + 1) % o.size()]});
        }
    }
    int count = 0;
    for (std::size_t i = 0; i < edges.size(); ++i) {
        for (std::size_t j = i + 1; j < edges.size(); ++j) {
            const auto [a, b] = edges[i];
            const auto [c, d] = edges[j];
            count += apart(a, b, c, d) && apart(c, d, a, b);
        }
    }
    return count;
}

Pattern piecesOf(const std::vector<Outline>& outlines) {
    PatternBuilder builder;
    for (Outline closed : outlines) {
        closed.push_back(closed.front());
        builder.polyline(LineRole::EndEdge, closed, {builder.newPiece({"p"})});
    }
    return std::move(builder).finish();
}

enum class Shape { Tangle, Star, SwappedStar, TwoStars };

TEST(PatternChecks, CrossingIsReportedExactlyWhereTheBruteForceCountFindsOne) {
    const std::vector<std::pair<Shape, int>> sweeps{
        {Shape::Tangle, 4},       {Shape::Tangle, 7},        {Shape::Tangle, 60},
        {Shape::Star, 5},         {Shape::Star, 80},         {Shape::Star, 600},
        {Shape::SwappedStar, 40}, {Shape::SwappedStar, 600}, {Shape::TwoStars, 6},
        {Shape::TwoStars, 150}};
    int crossing = 0;
    int clear = 0;
    for (const auto& [shape, corners] : sweeps) {
        for (std::uint64_t seed = 1; seed <= 12; ++seed) {
            Random random(seed * 1000 + static_cast<std::uint64_t>(corners));
            std::vector<Outline> outlines(shape == Shape::TwoStars ? 2 : 1);
            for (Outline& o : outlines) {
                o = shape == Shape::TwoStars ? star(random, corners, 200, 800)
                                             : star(random, corners, 300, 700);
            }
            if (shape == Shape::Tangle) {
                for (PatternPoint& p : outlines[0]) {
                    p = {whole(random, 0, 1000), whole(random, 0, 1000)};
                }
            } else if (shape == Shape::SwappedStar) {
                const auto k = static_cast<std::size_t>(whole(random, 0, corners - 3));
                std::swap(outlines[0][k], outlines[0][k + 2]);
            }
            const int count = properCrossings(outlines);
            const std::optional<std::string> fault = patternFault(piecesOf(outlines));
            EXPECT_EQ(fault.value_or(""), count > 0 ? kOutlineCrossesMessage : "")
                << "corners " << corners << " seed " << seed << ": " << count << " crossings";
            (count > 0 ? crossing : clear) += 1;
        }
    }
    // Both answers must have been asked for, or the table proves nothing.
    EXPECT_GE(crossing, 20);
    EXPECT_GE(clear, 20);
}

} // namespace
} // namespace blachorys::core
