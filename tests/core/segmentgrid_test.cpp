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
    std::vector<Segment> segments{{0, 0, 400, 300},
                                  {400, 0, 0, 300},
                                  {200, -10, 200, 310},
                                  {-5, 150, 405, 150},
                                  {77, 77, 77, 77}};
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

} // namespace
} // namespace blachorys::core
