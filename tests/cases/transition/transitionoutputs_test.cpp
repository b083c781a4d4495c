#include "cases/transition/transitionoutputs.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace blachorys::core {
namespace {

using Lines = std::vector<std::string>;

/** The defaults with N parts in each quarter. */
TransitionModel quarteredInto(int N) {
    return computeTransition({.N = N});
}

TEST(TransitionReport, DefaultsHeaderResultsAndFooter) {
    const TransitionModel m = computeTransition({});
    const PointReport report = transitionOutputs(m, "08-12-2026").report;
    const std::string rule(59, '-');
    EXPECT_EQ(report.headerLines,
              (Lines{
                  "Rozwiniecie Przejsciowki KOLO - PROSTOKAT",
                  rule,
                  "DANE :",
                  "A = 150.0 [mm] , PA = 15.0 [mm] , B = 220.0 [mm] , PB = 20.0",
                  "D = 300.0 [mm] , H = 230.0 [mm] , N = 12 [-]",
                  rule,
                  "WYNIKI :",
              }));
    const Lines& r = report.resultLines;
    ASSERT_EQ(r.size(), 4u * (12 + 2) + 4);
    EXPECT_EQ(r[0], "  1-  0, Xp=     0.0, Yp=     0.0, Xk=   270.9, Yk=     0.0");
    EXPECT_EQ(r[12], "  1- 12, Xp=     0.0, Yp=     0.0, Xk=   146.4, Yk=   199.9");
    EXPECT_EQ(r[13], rule);
    // Quarter 2 is fanned from corner 2 and starts at the point quarter 1 ended on.
    EXPECT_EQ(r[14], "  2-  0, Xp=   -80.5, Yp=   126.5, Xk=   146.4, Yk=   199.9");
    EXPECT_EQ(r[27], rule);
    EXPECT_EQ(r[41], rule);
    EXPECT_EQ(r[54], "  4- 12, Xp=  -367.1, Yp=   351.3, Xk=  -405.0, Yk=   602.7");
    EXPECT_EQ(r[55], rule);
    EXPECT_EQ(r[56], "  5-  0, Xp=  -582.2, Yp=   397.7");
    EXPECT_EQ(r[57], rule);
    EXPECT_EQ(r[58], "Gabaryty arkusza blachy :");
    EXPECT_EQ(r[59], "853.1 x 602.7");
    EXPECT_EQ(report.footerLines[2],
              "Obliczenia wykonano w dniu : 08-12-2026 programem - Blachorys");
    EXPECT_EQ(report.allLines().size(), 7u + 60u + 4u);
}

TEST(TransitionReport, LargestNKeepsItsFieldsAndNegativeInputs) {
    TransitionInputs in;
    in.N = 500;
    in.PA = -12.25;
    in.PB = -3.5;
    const PointReport report = transitionOutputs(computeTransition(in), "d").report;
    const Lines& r = report.resultLines;
    ASSERT_EQ(r.size(), 4u * 502 + 4);
    EXPECT_EQ(report.headerLines[3],
              "A = 150.0 [mm] , PA = -12.3 [mm] , B = 220.0 [mm] , PB = -3.5");
    EXPECT_EQ(report.headerLines[4], "D = 300.0 [mm] , H = 230.0 [mm] , N = 500 [-]");
    // Indices of three digits fill their field; the quarter's rule follows point 500.
    EXPECT_EQ(r[500].substr(0, 7), "  1-500");
    EXPECT_EQ(r[501], std::string(59, '-'));
    EXPECT_EQ(r[4 * 501 + 4].substr(0, 7), "  5-  0");
}

TEST(TransitionDxf, DefaultsGiveTheLayersAndColoursInOrder) {
    const TransitionModel m = computeTransition({});
    const std::vector<DxfLine> lines = transitionOutputs(m, "-").dxfLines;
    ASSERT_EQ(lines.size(), 105u);
    int curved = 0;
    int straight = 0;
    int seams = 0;
    int bending = 0;
    for (const DxfLine& line : lines) {
        if (line.layer == "TWORZACE") {
            EXPECT_EQ(line.colour, 1);
            ++bending;
            continue;
        }
        EXPECT_EQ(line.layer, "KONTURY");
        curved += line.colour == 7 ? 1 : 0;
        straight += line.colour == 3 ? 1 : 0;
        seams += line.colour == 6 ? 1 : 0;
    }
    EXPECT_EQ(curved, 48);
    EXPECT_EQ(straight, 4);
    EXPECT_EQ(seams, 2);
    EXPECT_EQ(bending, 51);

    const auto expect = [&](std::size_t i, const char* layer, int colour, double x1, double y1,
                            double x2, double y2) {
        EXPECT_EQ(lines[i].layer, layer) << i;
        EXPECT_EQ(lines[i].colour, colour) << i;
        EXPECT_EQ(lines[i].x1, x1) << i;
        EXPECT_EQ(lines[i].y1, y1) << i;
        EXPECT_EQ(lines[i].x2, x2) << i;
        EXPECT_EQ(lines[i].y2, y2) << i;
    };
    // Curved edge: quarter 2's first segment starts from its own point 0.
    expect(0, "KONTURY", 7, m.Xk[0], m.Yk[0], m.Xk[1], m.Yk[1]);
    expect(12, "KONTURY", 7, m.Xk[13], m.Yk[13], m.Xk[14], m.Yk[14]);
    expect(47, "KONTURY", 7, m.Xk[50], m.Yk[50], m.Xk[51], m.Yk[51]);
    // Straight edge, corner 1 to corner 5.
    expect(48, "KONTURY", 3, 0.0, 0.0, m.Xp[1], m.Yp[1]);
    expect(51, "KONTURY", 3, m.Xp[3], m.Yp[3], m.Xp[4], m.Yp[4]);
    // The bending-line loop opens with the seam edge, the only one of it on the outlines.
    expect(52, "KONTURY", 6, 0.0, 0.0, m.Xk[0], m.Yk[0]);
    expect(53, "TWORZACE", 1, 0.0, 0.0, m.Xk[1], m.Yk[1]);
    expect(65, "TWORZACE", 1, m.Xp[1], m.Yp[1], m.Xk[13], m.Yk[13]);
    expect(103, "TWORZACE", 1, m.Xp[3], m.Yp[3], m.Xk[51], m.Yk[51]);
    expect(104, "KONTURY", 6, m.Xp[4], m.Yp[4], m.Xk[51], m.Yk[51]);
}

TEST(TransitionDxf, EightNPlusNineLinesAtEveryN) {
    for (int N : {2, 37, 500}) {
        const auto lines = transitionOutputs(quarteredInto(N), "-").dxfLines;
        EXPECT_EQ(lines.size(), static_cast<std::size_t>(8 * N + 9)) << N;
    }
}

TEST(TransitionPreview, DrawnUpwardsOnTheBoundingBoxInTheDxfColours) {
    const TransitionModel m = quarteredInto(2);
    const PreviewDrawing drawing = transitionOutputs(m, "-").preview;
    EXPECT_EQ(drawing.orientation, PreviewOrientation::BoundingBox);
    EXPECT_EQ((std::array{drawing.xMin, drawing.xMax, drawing.yMin, drawing.yMax}),
              (std::array{m.xmin, m.xmax, m.ymin, m.ymax}));
    const auto& s = drawing.segments;
    ASSERT_EQ(s.size(), 8u + 4u + 12u + 1u);
    // The curved edge is one polyline: from point (1, 2) it goes on to point (2, 1).
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(s[i].pen, PenRole::Edge) << i;
    }
    EXPECT_EQ(s[0].from.x, m.Xk[0]);
    EXPECT_EQ(s[1].to.y, m.Yk[2]);
    EXPECT_EQ(s[2].from.x, m.Xk[2]);
    EXPECT_EQ(s[2].to.x, m.Xk[4]);
    for (std::size_t i = 8; i < 12; ++i) {
        EXPECT_EQ(s[i].pen, PenRole::Curve) << i;
        EXPECT_EQ(s[i].to.x, m.Xp[i - 7]);
    }
    EXPECT_EQ(s[12].pen, PenRole::SeamEdge);
    EXPECT_EQ(s[12].to.x, m.Xk[0]);
    for (std::size_t i = 13; i < 24; ++i) {
        EXPECT_EQ(s[i].pen, PenRole::Generator) << i;
        EXPECT_EQ(s[i].from.x, m.Xp[(i - 12) / 3]) << i;
        EXPECT_EQ(s[i].to.y, m.Yk[i - 12]) << i;
    }
    EXPECT_EQ(s[24].pen, PenRole::SeamEdge);
    EXPECT_EQ(s[24].from.y, m.Yp[4]);
    EXPECT_EQ(s[24].to.y, m.Yk[11]);
}

} // namespace
} // namespace blachorys::core
