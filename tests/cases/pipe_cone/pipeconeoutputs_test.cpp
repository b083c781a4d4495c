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
    const Lines header = outputsOf(PipeConeDevelopment::Pipe).report.headerLines();
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
    EXPECT_EQ(outputsOf(PipeConeDevelopment::Cone).report.headerLines(), header);
}

TEST(PipeConeReport, TemplateResultsOfTheDefaults) {
    const PointReport report = outputsOf(PipeConeDevelopment::Pipe).report;
    const Lines& r = report.resultLines();
    ASSERT_EQ(r.size(), 29u); // N + 5: what the memo shows
    EXPECT_EQ(r[0], "Rozwiniecie RURY (KRÓCCA)");
    EXPECT_EQ(r[1], "  0   L=     0.0     h=   394.5");
    EXPECT_EQ(r[25], " 24   L=   785.4     h=   394.5");
    EXPECT_EQ(r[26], std::string(33, '-'));
    EXPECT_EQ(r[27], "Gabaryty arkusza blachy :");
    EXPECT_EQ(r[28], "785.4 x 640.2");
    EXPECT_EQ(report.allLines().size(), 8u + 29u + 4u);
    EXPECT_EQ(report.dateLine, "Obliczenia wykonano w dniu : 08-12-2026 programem - Blachorys");
}

TEST(PipeConeReport, MantleResultsOfTheDefaults) {
    const PointReport report = outputsOf(PipeConeDevelopment::Cone).report;
    const Lines& r = report.resultLines();
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
    EXPECT_EQ(report.headerLines().size() + report.resultLines().size(), 4017u);
    EXPECT_EQ(report.resultLines()[2002].substr(0, 8), "2000  Xm");
    EXPECT_EQ(report.resultLines()[4005].substr(0, 8), "2000  Xo");
    // The widest generator lies between two of the 24 divisions: the sheet grows a little.
    EXPECT_EQ(report.resultLines().back(), "1590.9 x 2349.4");
}

TEST(PipeConeReport, AValueWiderThanItsFieldIsNotCut) {
    PipeConeInputs in;
    in.Hr = 12345678;
    const PointReport report = pipeConeOutputs(*computePipeCone(in).model, "-").report;
    EXPECT_EQ(report.resultLines()[1], "  0   L=     0.0     h=12345372.5");
}

TEST(PipeConePattern, LineCountsAndFrames) {
    // 2N + 2 lines of the template, 4N + 1 of the mantle with its hole.
    EXPECT_EQ(outputsOf(PipeConeDevelopment::Pipe).pattern.lines.size(), 50u);
    EXPECT_EQ(outputsOf(PipeConeDevelopment::Cone).pattern.lines.size(), 97u);
    const PipeConeModel pipe = modelOf(PipeConeDevelopment::Pipe);
    const PreviewFrame strip = pipeConeOutputs(pipe, "-").look.frame;
    EXPECT_EQ(strip.orientation, PreviewOrientation::Downwards);
    EXPECT_DOUBLE_EQ(strip.xMax, kPi * 250);
    EXPECT_EQ(strip.yMax, pipe.hmax);
    const PipeConeModel m = modelOf(PipeConeDevelopment::Cone);
    const PreviewFrame d = pipeConeOutputs(m, "-").look.frame;
    EXPECT_EQ(d.orientation, PreviewOrientation::BoundingBox);
    EXPECT_EQ((std::vector{d.xMin, d.xMax, d.yMin, d.yMax}),
              (std::vector{m.sheet.xMin, m.sheet.xMax, m.sheet.yMin, m.sheet.yMax}));
}

} // namespace
} // namespace blachorys::core
