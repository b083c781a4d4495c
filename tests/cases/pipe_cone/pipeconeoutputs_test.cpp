#include "cases/pipe_cone/pipeconeoutputs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace blachorys::core {
namespace {

using Lines = std::vector<std::string>;
constexpr double kPi = std::numbers::pi;

PipeConeModel modelOf(PipeConeDevelopment development, int N = 24) {
    PipeConeInputs in;
    in.development = development;
    in.N = N;
    return *computePipeCone(in).model;
}

CalculationOutputs outputsOf(PipeConeDevelopment development, int N = 24) {
    return pipeConeOutputs(modelOf(development, N), "08-12-2026");
}

TEST(PipeConeReport, HeaderRepeatsTheInputsWithNAsAReal) {
    const Lines header = outputsOf(PipeConeDevelopment::Pipe).report.headerLines;
    EXPECT_EQ(header, (Lines{
                          "Rozwiniecie RURA - STOZEK",
                          std::string(26, '-'),
                          "DANE :",
                          "Dr = 250.0 [mm] , Dsm = 600.0 [mm] , Dsd = 800.0 [mm] , P = 230.0 [mm]",
                          "BETA = 90.0 [°] , ALFA = 0.0 [°] , Hr = 700.0 [mm], Hs = 1000.0 [mm]",
                          "Lm = 600.0 [mm] , E = 100.0 [mm] , N = 24.0 [-]",
                          std::string(56, '-'),
                          "WYNIKI : ",
                      }));
    EXPECT_EQ(outputsOf(PipeConeDevelopment::Cone).report.headerLines, header);
}

TEST(PipeConeReport, TemplateResultsOfTheDefaults) {
    const PointReport report = outputsOf(PipeConeDevelopment::Pipe).report;
    const Lines& r = report.resultLines;
    ASSERT_EQ(r.size(), 29u); // N + 5: what the memo shows
    EXPECT_EQ(r[0], "Rozwiniecie RURY (KRÓCCA)");
    EXPECT_EQ(r[1], "  0   L=     0.0     h=   394.5");
    EXPECT_EQ(r[25], " 24   L=   785.4     h=   394.5");
    EXPECT_EQ(r[26], std::string(33, '-'));
    EXPECT_EQ(r[27], "Gabaryty arkusza blachy :");
    EXPECT_EQ(r[28], "785.4 x 640.2");
    EXPECT_EQ(report.allLines().size(), 8u + 29u + 4u);
    EXPECT_EQ(report.footerLines[2],
              "Obliczenia wykonano w dniu : 08-12-2026 programem - Blachorys");
}

TEST(PipeConeReport, MantleResultsOfTheDefaults) {
    const PointReport report = outputsOf(PipeConeDevelopment::Cone).report;
    const Lines& r = report.resultLines;
    ASSERT_EQ(r.size(), 57u); // 2N + 9
    EXPECT_EQ(r[0], "Rozwiniecie STOZKA (PLASZCZA)");
    EXPECT_EQ(r[1], "Kontur zewnetrzny Plaszcza");
    EXPECT_EQ(r[2], "  0  Xm=  3029.9, Ym=     0.0, Xd=  4039.8, Yd=     0.0");
    EXPECT_EQ(r[26], " 24  Xm=  2464.8, Ym=  1762.0, Xd=  3286.4, Yd=  2349.4");
    EXPECT_EQ(r[27], std::string(55, '-'));
    EXPECT_EQ(r[28], "Kontur otworu w Plaszczu");
    EXPECT_EQ(r[29], "  0  Xo=  3776.0, Yo=   336.7");
    EXPECT_EQ(r[53], " 24  Xo=  3776.0, Yo=   336.7");
    EXPECT_EQ(r[54], std::string(33, '-'));
    EXPECT_EQ(r[55], "Gabaryty arkusza blachy :");
    EXPECT_EQ(r[56], "1590.8 x 2349.4");
    EXPECT_EQ(report.allLines().size(), 69u); // the TXT file
}

TEST(PipeConeReport, MostDivisionsKeepEveryLine) {
    const PointReport report = outputsOf(PipeConeDevelopment::Cone, 2000).report;
    EXPECT_EQ(report.headerLines.size() + report.resultLines.size(), 4017u);
    EXPECT_EQ(report.resultLines[2002].substr(0, 8), "2000  Xm");
    EXPECT_EQ(report.resultLines[4005].substr(0, 8), "2000  Xo");
    // The widest generator lies between two of the 24 divisions: the sheet grows a little.
    EXPECT_EQ(report.resultLines.back(), "1590.9 x 2349.4");
}

TEST(PipeConeReport, AValueWiderThanItsFieldIsNotCut) {
    PipeConeInputs in;
    in.Hr = 12345678;
    const PointReport report = pipeConeOutputs(*computePipeCone(in).model, "-").report;
    EXPECT_EQ(report.resultLines[1], "  0   L=     0.0     h=12345372.5");
}

/** One expected DXF line. */
void expectLine(const DxfLine& line, const char* layer, int colour, double x1, double y1, double x2,
                double y2) {
    EXPECT_EQ(line.layer, layer);
    EXPECT_EQ(line.colour, colour);
    EXPECT_EQ(line.x1, x1);
    EXPECT_EQ(line.y1, y1);
    EXPECT_EQ(line.x2, x2);
    EXPECT_EQ(line.y2, y2);
}

TEST(PipeConeDxf, TemplateLinesInOrderBelowTheEndFace) {
    const PipeConeModel m = modelOf(PipeConeDevelopment::Pipe, 2);
    const auto& L = m.L;
    const auto& h = m.h;
    const std::vector<DxfLine> lines = pipeConeOutputs(m, "-").dxfLines;
    ASSERT_EQ(lines.size(), 6u);
    expectLine(lines[0], "KONTURY", 6, 0, 0, L[0], -h[0]);
    expectLine(lines[1], "KONTURY", 3, L[0], -h[0], L[1], -h[1]);
    expectLine(lines[2], "TWORZACE", 2, L[1], 0, L[1], -h[1]);
    expectLine(lines[3], "KONTURY", 3, L[1], -h[1], L[2], -h[2]);
    expectLine(lines[4], "TWORZACE", 6, L[2], 0, L[2], -h[2]);
    expectLine(lines[5], "KONTURY", 7, 0, 0, L[2], 0);
    EXPECT_EQ(outputsOf(PipeConeDevelopment::Pipe).dxfLines.size(), 50u);
}

TEST(PipeConeDxf, MantleLinesInOrderAllOnTheOutlineLayer) {
    const PipeConeModel m = modelOf(PipeConeDevelopment::Cone, 2);
    const std::vector<DxfLine> lines = pipeConeOutputs(m, "-").dxfLines;
    ASSERT_EQ(lines.size(), 9u);
    expectLine(lines[0], "KONTURY", 7, m.outline.Xd[0], m.outline.Yd[0], m.outline.Xd[1],
               m.outline.Yd[1]);
    expectLine(lines[1], "KONTURY", 3, m.outline.Xm[0], m.outline.Ym[0], m.outline.Xm[1],
               m.outline.Ym[1]);
    expectLine(lines[2], "KONTURY", 7, m.outline.Xd[1], m.outline.Yd[1], m.outline.Xd[2],
               m.outline.Yd[2]);
    expectLine(lines[3], "KONTURY", 3, m.outline.Xm[1], m.outline.Ym[1], m.outline.Xm[2],
               m.outline.Ym[2]);
    expectLine(lines[4], "KONTURY", 6, m.outline.Xm[0], m.outline.Ym[0], m.outline.Xd[0],
               m.outline.Yd[0]);
    expectLine(lines[5], "KONTURY", 6, m.outline.Xm[2], m.outline.Ym[2], m.outline.Xd[2],
               m.outline.Yd[2]);
    expectLine(lines[6], "KONTURY", 1, m.outline.Xm[1], m.outline.Ym[1], m.outline.Xd[1],
               m.outline.Yd[1]);
    expectLine(lines[7], "KONTURY", 3, m.Xo[0], m.Yo[0], m.Xo[1], m.Yo[1]);
    expectLine(lines[8], "KONTURY", 3, m.Xo[1], m.Yo[1], m.Xo[2], m.Yo[2]);
    EXPECT_EQ(outputsOf(PipeConeDevelopment::Cone).dxfLines.size(), 97u);
}

TEST(PipeConePreview, TemplateDrawnDownwardsOverTheStrip) {
    const PipeConeModel m = modelOf(PipeConeDevelopment::Pipe);
    const PreviewDrawing d = pipeConeOutputs(m, "-").preview;
    EXPECT_EQ(d.orientation, PreviewOrientation::Downwards);
    EXPECT_DOUBLE_EQ(d.xMax, kPi * 250);
    EXPECT_EQ(d.yMax, m.hmax);
    const auto& s = d.segments;
    ASSERT_EQ(s.size(), 1u + 24u + 1u + 1u + 23u);
    EXPECT_EQ(s[0].pen, PenRole::SeamEdge);
    EXPECT_EQ(s[0].to.y, m.h[0]);
    for (std::size_t i = 1; i <= 24; ++i) {
        EXPECT_EQ(s[i].pen, PenRole::Curve);
        EXPECT_EQ(s[i].to.x, m.L[i]);
        EXPECT_EQ(s[i].to.y, m.h[i]);
    }
    EXPECT_EQ(s[25].pen, PenRole::SeamEdge);
    EXPECT_EQ(s[25].to.y, 0.0);
    EXPECT_EQ(s[26].pen, PenRole::Edge);
    EXPECT_EQ(s[26].to.x, 0.0);
    EXPECT_EQ(s[27].pen, PenRole::Generator);
    EXPECT_EQ(s[27].from.x, m.L[1]);
}

TEST(PipeConePreview, MantleCentredOnTheArcsWithTheHoleLast) {
    const PipeConeModel m = modelOf(PipeConeDevelopment::Cone);
    const PreviewDrawing d = pipeConeOutputs(m, "-").preview;
    EXPECT_EQ(d.orientation, PreviewOrientation::BoundingBox);
    EXPECT_EQ((std::vector{d.xMin, d.xMax, d.yMin, d.yMax}),
              (std::vector{m.sheet.xMin, m.sheet.xMax, m.sheet.yMin, m.sheet.yMax}));
    // Large arc, small arc, the two sides of the cut, the inner generators, then the hole.
    std::vector<PenRole> pens;
    for (const PreviewSegment& segment : d.segments) {
        pens.push_back(segment.pen);
    }
    std::vector<PenRole> expected(24, PenRole::Edge);
    expected.insert(expected.end(), 24, PenRole::Curve);
    expected.insert(expected.end(), 2, PenRole::SeamEdge);
    expected.insert(expected.end(), 23, PenRole::Generator);
    expected.insert(expected.end(), 24, PenRole::Curve);
    EXPECT_EQ(pens, expected);
    EXPECT_EQ(d.segments[0].from.x, m.outline.Xd[0]);
    EXPECT_EQ(d.segments[24].from.x, m.outline.Xm[0]);
    for (std::size_t i = 0; i < 24; ++i) {
        const PreviewSegment& chord = d.segments[73 + i];
        EXPECT_TRUE(chord.from.x == m.Xo[i] && chord.from.y == m.Yo[i]) << i;
        EXPECT_TRUE(chord.to.x == m.Xo[i + 1] && chord.to.y == m.Yo[i + 1]) << i;
    }
}

} // namespace
} // namespace blachorys::core
