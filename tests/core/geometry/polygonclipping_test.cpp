// The union of rings is the union of the regions they enclose, whichever way each runs round.
#include "common/core/geometry/polygonclipping.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace blachorys::core {
namespace {

Ring square(double x, double y, double side) {
    return {{x, y}, {x + side, y}, {x + side, y + side}, {x, y + side}};
}

Ring reversed(Ring ring) {
    std::reverse(ring.begin(), ring.end());
    return ring;
}

double areaOf(const std::vector<Ring>& rings) {
    double area = 0.0;
    for (const Ring& ring : rings) {
        area += ringArea(ring);
    }
    return area;
}

TEST(PolygonClipping, OverlappingRingsJoinWhicheverWayEachRunsRound) {
    // Two 10 mm squares overlapping by 5 mm: 150 mm² together, as one outline.
    const Ring a = square(0, 0, 10);
    const Ring b = square(5, 0, 10);
    struct Case {
        const char* name;
        std::vector<Ring> rings;
    };
    const Case cases[] = {
        {"both anticlockwise", {a, b}},
        {"both clockwise", {reversed(a), reversed(b)}},
        {"one each way", {a, reversed(b)}},
        {"a union given back with a clockwise ring", {unionOf({a})->front(), reversed(b)}},
    };
    for (const Case& c : cases) {
        const auto united = unionOf(c.rings);
        ASSERT_TRUE(united) << c.name;
        EXPECT_EQ(united->size(), 1u) << c.name;
        EXPECT_NEAR(areaOf(*united), 150.0, 1e-9) << c.name;
    }
}

TEST(PolygonClipping, TheDifferenceLeavesWhatStandsOutAndNothingIsGivenForAnInfinitePoint) {
    const auto outside = differenceOf({square(5, 0, 10)}, {reversed(square(0, 0, 10))});
    ASSERT_TRUE(outside);
    EXPECT_NEAR(areaOf(*outside), 50.0, 1e-9);
    EXPECT_FALSE(unionOf({{{0, 0}, {INFINITY, 0}, {0, 1}}}));
}

} // namespace
} // namespace blachorys::core
