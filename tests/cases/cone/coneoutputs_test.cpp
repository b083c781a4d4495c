#include "cases/cone/coneoutputs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace blachorys::core {
namespace {

using Lines = std::vector<std::string>;

ConeModel withDivisions(int N) {
    ConeInputs in;
    in.N = N;
    return computeCone(in);
}

TEST(ConeReport, DefaultsHeaderResultsAndFooter) {
    const PointReport report = coneOutputs(computeCone({}), "08-12-2026").report;
    EXPECT_EQ(report.headerLines, (Lines{
                                      "Rozwiniecie STOZKA",
                                      std::string(55, '-'),
                                      "DANE :",
                                      "Dsm = 600.0 [mm] , Dsd = 800.0 [mm] , ALFA = 0.0 [°]",
                                      "Hs = 1000.0 [mm] , E = 100.0 [mm] , N = 24 [-]",
                                      std::string(55, '-'),
                                      "WYNIKI :",
                                  }));
    const Lines& r = report.resultLines;
    ASSERT_EQ(r.size(), 28u);
    EXPECT_EQ(r[0], "  0  Xm=  3029.9, Ym=     0.0, Xd=  4039.8, Yd=     0.0");
    EXPECT_EQ(r[24], " 24  Xm=  2464.8, Ym=  1762.0, Xd=  3286.4, Yd=  2349.4");
    EXPECT_EQ(r[25], std::string(55, '-'));
    EXPECT_EQ(r[26], "Gabaryty arkusza blachy :");
    EXPECT_EQ(r[27], "1590.8 x 2349.4");
    EXPECT_EQ(report.footerLines[2],
              "Obliczenia wykonano w dniu : 08-12-2026 programem - Blachorys");
    EXPECT_EQ(report.allLines().size(), 39u);
}

TEST(ConeReport, WideNumbersAndNegativesKeepTheirFields) {
    ConeInputs in;
    in.Hs = 50; // a nearly flat ring: points past half a turn have negative coordinates
    in.N = 2000;
    in.alfa = -12.25;
    in.E = -3.5;
    const PointReport report = coneOutputs(computeCone(in), "d").report;
    EXPECT_EQ(report.headerLines[3], "Dsm = 600.0 [mm] , Dsd = 800.0 [mm] , ALFA = -12.3 [°]");
    EXPECT_EQ(report.headerLines[4], "Hs = 50.0 [mm] , E = -3.5 [mm] , N = 2000 [-]");
    const Lines& r = report.resultLines;
    ASSERT_EQ(r.size(), 2004u);
    EXPECT_EQ(r[999], "999  Xm=  -320.0, Ym=    94.1, Xd=  -426.7, Yd=   125.5");
    // Past half a turn the points lie below and left of the apex; the signs stay in the fields.
    EXPECT_EQ(r[1500], "1500  Xm=  -155.7, Ym=  -307.5, Xd=  -207.5, Yd=  -410.0");
    EXPECT_EQ(r[2000], "2000  Xm=   265.8, Ym=  -208.1, Xd=   354.4, Yd=  -277.4");
}

TEST(ConeDxf, TwoDivisionsGiveSevenLinesInOrder) {
    const ConeModel m = withDivisions(2);
    const std::vector<DxfLine> lines = coneOutputs(m, "-").dxfLines;
    ASSERT_EQ(lines.size(), 7u);
    const auto expect = [&](std::size_t i, int colour, double x1, double y1, double x2, double y2) {
        EXPECT_EQ(lines[i].layer, "KONTURY") << i;
        EXPECT_EQ(lines[i].colour, colour) << i;
        EXPECT_EQ(lines[i].x1, x1) << i;
        EXPECT_EQ(lines[i].y1, y1) << i;
        EXPECT_EQ(lines[i].x2, x2) << i;
        EXPECT_EQ(lines[i].y2, y2) << i;
    };
    expect(0, 7, m.Xd[0], m.Yd[0], m.Xd[1], m.Yd[1]);
    expect(1, 3, m.Xm[0], m.Ym[0], m.Xm[1], m.Ym[1]);
    expect(2, 7, m.Xd[1], m.Yd[1], m.Xd[2], m.Yd[2]);
    expect(3, 3, m.Xm[1], m.Ym[1], m.Xm[2], m.Ym[2]);
    expect(4, 6, m.Xm[0], m.Ym[0], m.Xd[0], m.Yd[0]);
    expect(5, 6, m.Xm[2], m.Ym[2], m.Xd[2], m.Yd[2]);
    expect(6, 1, m.Xm[1], m.Ym[1], m.Xd[1], m.Yd[1]);
}

TEST(ConeDxf, EveryLineOnTheOutlineLayer) {
    for (int N : {24, 2000}) {
        const std::vector<DxfLine> lines = coneOutputs(withDivisions(N), "-").dxfLines;
        ASSERT_EQ(lines.size(), static_cast<std::size_t>(3 * N + 1));
        int generatrices = 0;
        for (const DxfLine& line : lines) {
            EXPECT_EQ(line.layer, "KONTURY");
            generatrices += line.colour == 1 ? 1 : 0;
        }
        EXPECT_EQ(generatrices, N - 1);
    }
}

TEST(ConePreview, DrawnUpwardsOnTheBoundingBoxInTheDxfColours) {
    const ConeModel m = computeCone({});
    const PreviewDrawing drawing = coneOutputs(m, "-").preview;
    EXPECT_EQ(drawing.orientation, PreviewOrientation::BoundingBox);
    EXPECT_EQ(drawing.xMin, m.sheet.xMin);
    EXPECT_EQ(drawing.xMax, m.sheet.xMax);
    EXPECT_EQ(drawing.yMin, m.sheet.yMin);
    EXPECT_EQ(drawing.yMax, m.sheet.yMax);
    const auto& s = drawing.segments;
    ASSERT_EQ(s.size(), 24u + 24u + 2u + 23u);
    for (std::size_t j = 0; j < 24; ++j) {
        EXPECT_EQ(s[j].pen, PenRole::Edge);
        EXPECT_EQ(s[j].from.x, m.Xd[j]);
        EXPECT_EQ(s[j].to.y, m.Yd[j + 1]);
        EXPECT_EQ(s[24 + j].pen, PenRole::Curve);
        EXPECT_EQ(s[24 + j].from.x, m.Xm[j]);
        EXPECT_EQ(s[24 + j].to.y, m.Ym[j + 1]);
    }
    EXPECT_EQ(s[48].pen, PenRole::SeamEdge);
    EXPECT_EQ(s[48].from.x, m.Xm[0]);
    EXPECT_EQ(s[48].to.x, m.Xd[0]);
    EXPECT_EQ(s[49].pen, PenRole::SeamEdge);
    EXPECT_EQ(s[49].from.y, m.Ym[24]);
    EXPECT_EQ(s[49].to.y, m.Yd[24]);
    for (std::size_t j = 1; j < 24; ++j) {
        EXPECT_EQ(s[49 + j].pen, PenRole::Generator);
        EXPECT_EQ(s[49 + j].from.x, m.Xm[j]);
        EXPECT_EQ(s[49 + j].to.x, m.Xd[j]);
    }
}

} // namespace
} // namespace blachorys::core
