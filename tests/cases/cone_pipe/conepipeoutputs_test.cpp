#include "cases/cone_pipe/conepipeoutputs.h"

#include "common/core/dxftemplatewriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace blachorys::core {
namespace {

using Lines = std::vector<std::string>;

ConePipeModel modelOf(ConePipeDevelopment development, int N = 48) {
    ConePipeInputs in;
    in.development = development;
    in.N = N;
    const ConePipeConstruction construction = computeConePipe(in);
    EXPECT_EQ(construction.fault, ConePipeFault::None);
    return construction.model;
}

const Lines kHeader = {
    "Rozwiniecie STOZEK - RURA",
    std::string(72, '-'),
    "DANE :",
    "Ds = 200.0 [mm] , Dr = 600.0 [mm] , P = 40.0 [mm] , Gamma = 18.0 [°]",
    "BETA = 75.0 [°] , alfa = 0.0 [°] , Hs = 420.0 [mm] , L = 800.0",
    "Lm = 300.0 [mm] , N = 48 [-]",
    std::string(72, '-'),
    "WYNIKI :",
};

/** The report of the defaults in one mode; both modes have the same header. */
PointReport defaultsReport(ConePipeDevelopment development) {
    PointReport report = conePipeOutputs(modelOf(development), "08-12-2026").report;
    EXPECT_EQ(report.headerLines, kHeader);
    return report;
}

TEST(ConePipeReport, ConeModeDefaults) {
    const PointReport report = defaultsReport(ConePipeDevelopment::Cone);
    const Lines& r = report.resultLines;
    ASSERT_EQ(r.size(), 48u + 5u);
    EXPECT_EQ(r[0], "Rozwiniecie STOZKA (KRÓCCA)");
    EXPECT_EQ(r[1], "  0, Xm=   323.6, Ym=     0.0, Xd=   420.5, Yd=     0.0");
    EXPECT_EQ(r[25], " 24, Xm=   182.7, Ym=   267.1, Xd=   282.7, Yd=   413.3");
    EXPECT_EQ(Lines(r.end() - 3, r.end()),
              (Lines{std::string(31, '-'), "Gabaryty arkusza blachy :", "576.8 x 546.7"}));
    // The TXT file: 8 header lines, N + 5 result lines, 4 footer lines.
    EXPECT_EQ(report.allLines().size(), 65u);
}

TEST(ConePipeReport, PipeModeDefaults) {
    const PointReport report = defaultsReport(ConePipeDevelopment::Pipe);
    const Lines& r = report.resultLines;
    ASSERT_EQ(r.size(), 48u + 12u);
    const Lines top = {
        "Rozwiniecie RURY (PLASZCZA)",
        "Kontur zewnetrzny Plaszcza",
        "a : X=     0.0     Y=     0.0",
        "b : X=   800.0     Y=     0.0",
        "c : X=   800.0     Y=  1885.0",
        "d : X=     0.0     Y=  1885.0",
        std::string(31, '-'),
        "Kontur otworu w Plaszczu",
        "  0, Xo=   514.2, Yo=   431.1",
    };
    EXPECT_EQ(Lines(r.begin(), r.begin() + 9), top);
    EXPECT_EQ(r[32], " 24, Xo=   219.5, Yo=   431.1");
    // The hole closes: its last point is its first.
    EXPECT_EQ(r[56], " 48, Xo=   514.2, Yo=   431.1");
    EXPECT_EQ(Lines(r.end() - 3, r.end()),
              (Lines{std::string(31, '-'), "Gabaryty arkusza blachy :", "800.0 x 1885.0"}));
    EXPECT_EQ(report.allLines().size(), 72u);
}

TEST(ConePipeReport, SignedInputsAndLargeCountsKeepTheirFields) {
    ConePipeInputs in;
    in.P = -12.25;
    in.alfa = -30;
    in.N = 2000;
    const PointReport report = conePipeOutputs(computeConePipe(in).model, "d").report;
    EXPECT_EQ(report.headerLines[3],
              "Ds = 200.0 [mm] , Dr = 600.0 [mm] , P = -12.3 [mm] , Gamma = 18.0 [°]");
    EXPECT_EQ(report.headerLines[4],
              "BETA = 75.0 [°] , alfa = -30.0 [°] , Hs = 420.0 [mm] , L = 800.0");
    EXPECT_EQ(report.headerLines[5], "Lm = 300.0 [mm] , N = 2000 [-]");
    ASSERT_EQ(report.resultLines.size(), 2005u);
    // Four-digit point numbers push the line right, never cut.
    EXPECT_EQ(report.resultLines[2001].substr(0, 10), "2000, Xm= ");
}

struct ExpectedLine {
    int colour;
    double x1, y1, x2, y2;
};

void expectLines(const std::vector<DxfLine>& lines, const std::vector<ExpectedLine>& expected) {
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(lines[i].layer, "KONTURY");
        EXPECT_EQ(lines[i].colour, expected[i].colour);
        EXPECT_EQ(lines[i].x1, expected[i].x1);
        EXPECT_EQ(lines[i].y1, expected[i].y1);
        EXPECT_EQ(lines[i].x2, expected[i].x2);
        EXPECT_EQ(lines[i].y2, expected[i].y2);
    }
}

TEST(ConePipeDxf, TwoDivisionsGiveSevenConeLinesAndSixPipeLinesInOrder) {
    const ConePipeModel m = modelOf(ConePipeDevelopment::Cone, 2);
    expectLines(conePipeOutputs(m, "-").dxfLines, {
                                                      {3, m.Xd[0], m.Yd[0], m.Xd[1], m.Yd[1]},
                                                      {7, m.Xm[0], m.Ym[0], m.Xm[1], m.Ym[1]},
                                                      {3, m.Xd[1], m.Yd[1], m.Xd[2], m.Yd[2]},
                                                      {7, m.Xm[1], m.Ym[1], m.Xm[2], m.Ym[2]},
                                                      {6, m.Xm[0], m.Ym[0], m.Xd[0], m.Yd[0]},
                                                      {6, m.Xm[2], m.Ym[2], m.Xd[2], m.Yd[2]},
                                                      {1, m.Xm[1], m.Ym[1], m.Xd[1], m.Yd[1]},
                                                  });
    const ConePipeModel p = modelOf(ConePipeDevelopment::Pipe, 2);
    const double around = std::numbers::pi * 600;
    expectLines(conePipeOutputs(p, "-").dxfLines, {
                                                      {6, 0, 0, 800, 0},
                                                      {7, 800, 0, 800, around},
                                                      {6, 800, around, 0, around},
                                                      {3, 0, around, 0, 0},
                                                      {3, p.Xo[0], p.Yo[0], p.Xo[1], p.Yo[1]},
                                                      {3, p.Xo[1], p.Yo[1], p.Xo[2], p.Yo[2]},
                                                  });
}

TEST(ConePipeDxf, LineCountsFollowN) {
    for (const int N : {2, 48, 2000}) {
        EXPECT_EQ(conePipeOutputs(modelOf(ConePipeDevelopment::Cone, N), "-").dxfLines.size(),
                  static_cast<std::size_t>(3 * N + 1));
        EXPECT_EQ(conePipeOutputs(modelOf(ConePipeDevelopment::Pipe, N), "-").dxfLines.size(),
                  static_cast<std::size_t>(N + 4));
    }
}

TEST(ConePipeDxf, PipeRectangleAndHoleAsWritten) {
    const std::string text = DxfTemplateWriter::documentText(
        conePipeOutputs(modelOf(ConePipeDevelopment::Pipe), "-").dxfLines);
    // The rectangle's far corner, π·600 written with two decimals.
    EXPECT_NE(text.find("\r\n 11\r\n800.00\r\n 21\r\n1884.96\r\n"), std::string::npos);
    const std::vector<DxfLine> lines =
        conePipeOutputs(modelOf(ConePipeDevelopment::Pipe), "-").dxfLines;
    double minX = INFINITY, maxX = -INFINITY, minY = INFINITY, maxY = -INFINITY;
    for (std::size_t i = 4; i < lines.size(); ++i) {
        minX = std::min({minX, lines[i].x1, lines[i].x2});
        maxX = std::max({maxX, lines[i].x1, lines[i].x2});
        minY = std::min({minY, lines[i].y1, lines[i].y2});
        maxY = std::max({maxY, lines[i].y1, lines[i].y2});
        // Segment by segment round the hole, each starting where the last one ended.
        if (i > 4) {
            EXPECT_EQ(lines[i].x1, lines[i - 1].x2);
            EXPECT_EQ(lines[i].y1, lines[i - 1].y2);
        }
    }
    EXPECT_NEAR(minX, 218.7, 0.05);
    EXPECT_NEAR(maxX, 514.2, 0.05);
    EXPECT_NEAR(minY, 239.3, 0.05);
    EXPECT_NEAR(maxY, 581.2, 0.05);
    EXPECT_EQ(lines.back().x2, lines[4].x1);
    EXPECT_EQ(lines.back().y2, lines[4].y1);
}

/** The pen the preview draws a template line with: the DXF's colour, seen on screen. */
PenRole penOfColour(int colour) {
    switch (colour) {
    case 3:
        return PenRole::Curve;
    case 6:
        return PenRole::SeamEdge;
    case 1:
        return PenRole::Generator;
    default:
        return PenRole::Edge;
    }
}

TEST(ConePipePreview, ConeDrawnAsTwoStrokesThenTheTemplatesStraightLines) {
    const ConePipeModel m = modelOf(ConePipeDevelopment::Cone, 24);
    const CalculationOutputs outputs = conePipeOutputs(m, "-");
    const PreviewDrawing& drawing = outputs.preview;
    const auto& s = drawing.segments;
    // Fitted on the pattern's own box: the extremes of what is drawn.
    EXPECT_EQ(drawing.orientation, PreviewOrientation::BoundingBox);
    double low[2] = {INFINITY, INFINITY};
    double high[2] = {-INFINITY, -INFINITY};
    for (const PreviewSegment& segment : s) {
        for (const PreviewPoint& p : {segment.from, segment.to}) {
            low[0] = std::min(low[0], p.x);
            low[1] = std::min(low[1], p.y);
            high[0] = std::max(high[0], p.x);
            high[1] = std::max(high[1], p.y);
        }
    }
    EXPECT_EQ(drawing.xMin, low[0]);
    EXPECT_EQ(drawing.yMin, low[1]);
    EXPECT_EQ(drawing.xMax, high[0]);
    EXPECT_EQ(drawing.yMax, high[1]);
    ASSERT_EQ(s.size(), outputs.dxfLines.size());
    // The cut, then the free end: each one unbroken stroke from point 0 to point N.
    for (std::size_t i = 0; i < 48; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(s[i].pen, i < 24 ? PenRole::Curve : PenRole::Edge);
        if (i % 24 != 0) {
            EXPECT_EQ(s[i].from.x, s[i - 1].to.x);
            EXPECT_EQ(s[i].from.y, s[i - 1].to.y);
        }
    }
    EXPECT_EQ(s[0].from.x, m.Xd[0]);
    EXPECT_EQ(s[23].to.y, m.Yd[24]);
    EXPECT_EQ(s[24].from.x, m.Xm[0]);
    EXPECT_EQ(s[47].to.y, m.Ym[24]);
    // The strokes are the template's cut and free-end lines, which it writes alternately.
    for (std::size_t j = 0; j < 24; ++j) {
        EXPECT_EQ(s[j].to.x, outputs.dxfLines[2 * j].x2);
        EXPECT_EQ(s[24 + j].to.x, outputs.dxfLines[2 * j + 1].x2);
    }
    // Then the seam edges and the generatrices, as the template lists them, each in its colour.
    for (std::size_t i = 48; i < s.size(); ++i) {
        const DxfLine& line = outputs.dxfLines[i];
        EXPECT_EQ(s[i].pen, penOfColour(line.colour)) << i;
        EXPECT_EQ(s[i].from.x, line.x1) << i;
        EXPECT_EQ(s[i].to.y, line.y2) << i;
    }
}

TEST(ConePipePreview, PipeDrawnRectangleInOneStrokeThenTheHole) {
    const ConePipeModel m = modelOf(ConePipeDevelopment::Pipe, 24);
    const PreviewDrawing drawing = conePipeOutputs(m, "-").preview;
    EXPECT_EQ(drawing.orientation, PreviewOrientation::BoundingBox);
    EXPECT_EQ(drawing.xMin, 0.0);
    EXPECT_EQ(drawing.xMax, 800.0);
    EXPECT_EQ(drawing.yMin, 0.0);
    EXPECT_EQ(drawing.yMax, std::numbers::pi * 600);
    const auto& s = drawing.segments;
    ASSERT_EQ(s.size(), 4u + 24u);
    const PenRole rectangle[] = {PenRole::SeamEdge, PenRole::Edge, PenRole::SeamEdge,
                                 PenRole::Curve};
    for (std::size_t e = 0; e < 4; ++e) {
        EXPECT_EQ(s[e].pen, rectangle[e]) << e;
        if (e > 0) {
            EXPECT_EQ(s[e].from.x, s[e - 1].to.x);
            EXPECT_EQ(s[e].from.y, s[e - 1].to.y);
        }
    }
    EXPECT_EQ(s[0].from.x, 0.0);
    EXPECT_EQ(s[0].from.y, 0.0);
    EXPECT_EQ(s[3].to.x, 0.0);
    EXPECT_EQ(s[3].to.y, 0.0);
    for (std::size_t j = 0; j < 24; ++j) {
        EXPECT_EQ(s[4 + j].pen, PenRole::Curve);
        EXPECT_EQ(s[4 + j].from.x, m.Xo[j]);
        EXPECT_EQ(s[4 + j].to.y, m.Yo[j + 1]);
    }
}

} // namespace
} // namespace blachorys::core
