#include "common/core/pattern/pattern.h"
#include "common/core/pattern/patternlines.h"
#include "common/core/sheets/patterndrawing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace blachorys::core {
namespace {

std::string entity(const DxfLine& l) {
    return l.layer + " " + std::to_string(l.colour) + " (" + std::to_string(l.x1) + "," +
           std::to_string(l.y1) + ")-(" + std::to_string(l.x2) + "," + std::to_string(l.y2) + ")";
}

// The strip's DXF is the document's entity order; the preview draws its outline, then the
// generators, the strip turned over.
TEST(Pattern, TemplateStripInTheDxfsOrderAndThePreviewsPasses) {
    const std::vector<double> L{0, 5, 10};
    const std::vector<double> h{4, 6, 4};
    const TemplateStrip shape{L, h, 10, 6};
    const Pattern strip = templateStripPattern(shape, {"rura"});
    const PatternLook look = templateStripLook(shape, {7, 3});
    std::vector<std::string> dxf;
    for (const DxfLine& line : dxfLinesOf(strip, look.styles)) {
        dxf.push_back(entity(line));
    }
    const auto at = [](double x, double y) {
        return "(" + std::to_string(x) + "," + std::to_string(y) + ")";
    };
    EXPECT_EQ(dxf, (std::vector<std::string>{
                       "KONTURY 6 " + at(0, 0) + "-" + at(0, -4),
                       "KONTURY 7 " + at(0, -4) + "-" + at(5, -6),
                       "TWORZACE 2 " + at(5, 0) + "-" + at(5, -6),
                       "KONTURY 7 " + at(5, -6) + "-" + at(10, -4),
                       "TWORZACE 6 " + at(10, 0) + "-" + at(10, -4),
                       "KONTURY 3 " + at(0, 0) + "-" + at(10, 0),
                   }));
    const PreviewDrawing preview = previewOf(strip, look);
    std::vector<PenRole> pens;
    for (const PreviewSegment& s : preview.segments) {
        pens.push_back(s.pen);
    }
    EXPECT_EQ(pens, (std::vector{PenRole::SeamEdge, PenRole::Curve, PenRole::Curve,
                                 PenRole::SeamEdge, PenRole::Edge, PenRole::Generator}));
    EXPECT_EQ(preview.segments[1].to.y, 6.0); // downwards: the depth h itself
    EXPECT_EQ(preview.orientation, PreviewOrientation::Downwards);
}

TEST(Pattern, OutlinesJoinInAnyOrderAndDirectionWithinRounding) {
    // A square listed out of order, one side reversed, the last corner off by rounding, plus a
    // side of no length and a marked diagonal that belongs to no outline.
    PatternBuilder b;
    const int square = b.newPiece({"kwadrat"});
    b.line(LineRole::EndEdge, {0, 0}, {10, 0}, {square});
    b.line(LineRole::Generator, {0, 0}, {10, 10});
    b.line(LineRole::SeamEdge, {0, 10}, {10, 10}, {square});
    b.line(LineRole::StartEdge, {10, 0}, {10, 10}, {square});
    b.line(LineRole::SeamEdge, {0, 10}, {0, 10}, {square});
    b.line(LineRole::CutCurve, {0, 10}, {0, 1e-12}, {square});
    const int slit = b.newHole();
    b.line(LineRole::HoleOutline, {2, 2}, {3, 3}, {slit});
    const std::vector<Contour> contours = std::move(b).finish().contours;
    ASSERT_EQ(contours.size(), 2u);
    EXPECT_TRUE(contours[0].closed);
    EXPECT_EQ(contours[0].points, (std::vector<PatternPoint>{{0, 0}, {10, 0}, {10, 10}, {0, 10}}));
    EXPECT_EQ(contours[0].roles, (std::vector{LineRole::EndEdge, LineRole::StartEdge,
                                              LineRole::SeamEdge, LineRole::CutCurve}));
    // A line alone does not come back to its start.
    EXPECT_FALSE(contours[1].closed);
    EXPECT_EQ(contours[1].kind, OutlineKind::Hole);
}

} // namespace
} // namespace blachorys::core
