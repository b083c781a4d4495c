#include "common/core/segmentgrid.h"

#include <gtest/gtest.h>

#include <random>

namespace blachorys::core {
namespace {

TEST(SegmentGrid, AnswersAsLookingAtEverySegmentDoes) {
    // Long diagonals across many cells, short strokes, a vertical and a horizontal line, a
    // point; boxes anywhere, some beyond the lines' reach.
    std::mt19937 random(7);
    std::uniform_real_distribution<double> place(-50.0, 450.0);
    std::uniform_real_distribution<double> size(0.0, 12.0);
    std::vector<Segment> segments{{0, 0, 400, 300}, {400, 0, 0, 300}, {200, -10, 200, 310},
                                  {-5, 150, 405, 150}, {77, 77, 77, 77}};
    for (int k = 0; k < 300; ++k) {
        const double x = place(random);
        const double y = place(random);
        segments.push_back({x, y, x + size(random) - 6, y + size(random) - 6});
    }
    for (const double cell : {1.0, 5.0, 1000.0}) {
        const SegmentGrid grid(segments, cell);
        int met = 0;
        for (int q = 0; q < 3000; ++q) {
            const RectMm box{place(random), place(random), size(random), size(random)};
            bool expected = false;
            for (const Segment& s : segments) {
                expected = expected || segmentMeetsBox(s, box);
            }
            ASSERT_EQ(grid.meets(box), expected)
                << "cell " << cell << ", box " << box.left << " " << box.top << " " << box.width
                << " " << box.height;
            met += expected ? 1 : 0;
        }
        EXPECT_GT(met, 100) << "the boxes are to meet lines often enough to tell";
        EXPECT_LT(met, 2900);
    }
}

TEST(SegmentGrid, ASegmentMeetsABoxItEntersTouchesOrLiesIn) {
    const RectMm box{10, 10, 10, 5};
    struct Row {
        Segment segment;
        bool meets;
    };
    const Row rows[] = {
        {{0, 0, 30, 30}, true},      // through
        {{12, 12, 13, 13}, true},    // inside
        {{0, 10, 5, 10}, false},     // on the edge's line, short of it
        {{0, 10, 10, 10}, true},     // touching the corner
        {{0, 0, 30, 5}, false},      // passing below
        {{21, 0, 21, 30}, false},    // beside
        {{17, 16, 21, 12}, true},    // clipping the corner
        {{19, 18, 23, 14}, false},   // just past it
        {{15, 16, 26, 14}, false},   // under the bottom edge, nearly along it
    };
    for (const Row& row : rows) {
        const Segment& s = row.segment;
        EXPECT_EQ(segmentMeetsBox(s, box), row.meets) << s.x1 << " " << s.y1 << " " << s.x2 << " " << s.y2;
        EXPECT_EQ(SegmentGrid({s}, 3.0).meets(box), row.meets);
    }
}

} // namespace
} // namespace blachorys::core
