#include "common/core/view3d/patterncells.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace blachorys::core {
namespace {

using Ring = std::vector<PatternPoint>;

double shareOf(const std::vector<PatternCell>& cells) {
    double area = 0.0;
    for (const PatternCell& cell : cells) {
        area += std::fabs(cell.area);
    }
    return area;
}

struct CutCase {
    const char* what;
    std::vector<Ring> rings;
    double cell;
};

Ring circle(double x, double y, double r, int points, bool clockwise) {
    Ring ring;
    for (int k = 0; k < points; ++k) {
        const double a = (clockwise ? -1 : 1) * 2 * std::numbers::pi * k / points;
        ring.push_back({x + r * std::cos(a), y + r * std::sin(a)});
    }
    return ring;
}

class Cells : public ::testing::TestWithParam<CutCase> {};

// The squares' shares add up to the piece less its holes, and each share lies in its square.
TEST_P(Cells, SharesAddUpToThePieceAndStayInTheirSquares) {
    std::vector<const Ring*> rings;
    double expected = 0.0;
    for (const Ring& ring : GetParam().rings) {
        rings.push_back(&ring);
        expected += (rings.size() == 1 ? 1 : -1) * std::fabs(ringArea(ring));
    }
    const std::vector<PatternCell> cells = cutIntoCells(rings, GetParam().cell);
    EXPECT_NEAR(shareOf(cells), expected, 1e-9 * expected);
    for (const PatternCell& cell : cells) {
        EXPECT_LE(cell.right - cell.left, GetParam().cell + 1e-9);
        EXPECT_LE(cell.top - cell.bottom, GetParam().cell + 1e-9);
        for (const Ring& ring : cell.rings) {
            for (const PatternPoint p : ring) {
                EXPECT_TRUE(p.x >= cell.left && p.x <= cell.right && p.y >= cell.bottom &&
                            p.y <= cell.top);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, Cells,
    ::testing::Values(
        CutCase{"sheet_with_a_hole",
                {{{0, 0}, {1000, 0}, {1000, 2500}, {0, 2500}}, circle(400, 1200, 180, 900, true)},
                60},
        // A U whose arms leave and enter the same squares: the shares run along their sides.
        CutCase{
            "u_shape",
            {{{0, 0}, {300, 0}, {300, 200}, {220, 200}, {220, 40}, {80, 40}, {80, 200}, {0, 200}}},
            70},
        CutCase{"clockwise_strip", {{{0, 0}, {0, -350}, {942, -300}, {942, 0}}}, 23.5},
        CutCase{"smaller_than_a_square", {circle(5, 5, 2, 40, false)}, 100}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(Cells, ASquareInsideTheHoleIsLeftOut) {
    const Ring sheet{{0, 0}, {100, 0}, {100, 100}, {0, 100}};
    const Ring hole{{10, 10}, {10, 90}, {90, 90}, {90, 10}};
    const auto cells = cutIntoCells({&sheet, &hole}, 20);
    // 25 squares, the middle 9 wholly in the hole.
    EXPECT_EQ(cells.size(), 16U);
}

} // namespace
} // namespace blachorys::core
