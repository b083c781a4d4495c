#include "common/core/geometry/point.h"
#include "common/core/geometry/segmentgrid.h"

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

TEST(SegmentGrid, LongLinesTakeAFewMillionEntriesHoweverLongAndStillAnswerRight) {
    // Lines 0.2 mm apart along a strip a kilometre long, across a strip as tall, and across a
    // square: in 5 mm cells each long line would be in a hundred thousand cells of its own.
    struct Strip {
        const char* name;
        double dx;
        double dy;
        PatternPoint step; ///< from one line's start to the next
    };
    const Strip strips[] = {{"lying", 1e6, 0.0, {0.0, 0.2}},
                            {"standing", 0.0, 1e6, {0.2, 0.0}},
                            {"diagonal", 1e6, 1e6, {0.0, 2000.0}}};
    std::mt19937 random(11);
    for (const Strip& strip : strips) {
        SCOPED_TRACE(strip.name);
        std::vector<Segment> segments;
        for (int k = 0; k < 500; ++k) {
            const double x = k * strip.step.x;
            const double y = k * strip.step.y;
            segments.push_back({x, y, x + strip.dx, y + strip.dy});
        }
        const SegmentGrid grid(segments, 5.0);
        EXPECT_LE(grid.entryCount(), std::size_t{1} << 23);
        // Boxes of a label's size along the lines and just beside them.
        std::uniform_real_distribution<double> along(0.0, 1.0);
        std::uniform_real_distribution<double> beside(-120.0, 20.0);
        int met = 0;
        for (int q = 0; q < 400; ++q) {
            const double t = along(random);
            const RectMm box{t * strip.dx + beside(random), t * strip.dy + beside(random), 4.0,
                             2.5};
            bool expected = false;
            for (const Segment& s : segments) {
                expected = expected || segmentMeetsBox(s, box);
            }
            ASSERT_EQ(grid.meets(box), expected) << "box " << box.left << " " << box.top;
            met += expected ? 1 : 0;
        }
        EXPECT_GT(met, 20);
        EXPECT_LT(met, 380);
    }
}

} // namespace
} // namespace blachorys::core
