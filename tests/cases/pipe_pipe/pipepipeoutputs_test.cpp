#include "cases/pipe_pipe/pipepipeoutputs.h"

#include "common/core/base/numbertext.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace blachorys::core {
namespace {

using Lines = std::vector<std::string>;

PipePipeModel smaller(PipePipeInputs in = {}) {
    in.development = PipePipeDevelopment::SmallerPipe;
    return computePipePipe(in);
}

PipePipeModel larger(PipePipeInputs in = {}) {
    in.development = PipePipeDevelopment::LargerPipe;
    return computePipePipe(in);
}

const Lines kHeader = {
    "Rozwiniecie RURA - RURA",
    std::string(23, '-'),
    "DANE :",
    "Dm = 300.0 [mm] , Dd = 800.0 [mm] , P = 200.0 [mm]",
    "BETA = 90.0 [°] , ALFA = 0.0 [°] , H = 700.0 [mm]",
    "Ld = 1000.0 [mm] , Lm = 350.0 [mm] , N = 24 [-]",
    std::string(53, '-'),
    "WYNIKI : ",
};

const std::array<std::string, 4> kFooter = {
    "",
    std::string(58, '='),
    "Obliczenia wykonano w dniu : 08-12-2026 programem - Blachorys",
    "Strona programu : https://www.blachorys.example/",
};

TEST(PipePipeReport, SmallerPipeDefaults) {
    const PointReport report = pipePipeOutputs(smaller(), "08-12-2026").report;
    EXPECT_EQ(report.headerLines(), kHeader);
    EXPECT_EQ(report.footerLines(), kFooter);
    const Lines& r = report.resultLines();
    ASSERT_EQ(r.size(), 29u);
    EXPECT_EQ(r[0], "Rozwiniecie RURY MNIEJSZEJ (KRÓCCA)");
    EXPECT_EQ(r[1], "  0   L=     0.0     h=   353.6");
    EXPECT_EQ(r[6], "  5   L=   196.3     h=   303.8");
    EXPECT_EQ(r[19], " 18   L=   706.9     h=   506.4");
    EXPECT_EQ(r[25], " 24   L=   942.5     h=   353.6");
    EXPECT_EQ(r[26], std::string(33, '-'));
    EXPECT_EQ(r[27], "Gabaryty arkusza blachy :");
    EXPECT_EQ(r[28], "942.5 x 506.4");
    EXPECT_EQ(report.allLines().size(), 41u);
}

TEST(PipePipeReport, LargerPipeDefaults) {
    const PointReport report = pipePipeOutputs(larger(), "08-12-2026").report;
    EXPECT_EQ(report.headerLines(), kHeader);
    EXPECT_EQ(report.footerLines(), kFooter);
    const Lines& r = report.resultLines();
    ASSERT_EQ(r.size(), 36u);
    const Lines top = {
        "Rozwiniecie RURY WIEKSZEJ (PLASZCZA)",
        "Kontur zewnetrzny Plaszcza",
        "a : X=     0.0     Y=     0.0",
        "b : X=  1000.0     Y=     0.0",
        "c : X=  1000.0     Y=  2513.3",
        "d : X=     0.0     Y=  2513.3",
        std::string(33, '-'),
        "Kontur otworu w Plaszczu",
        "  0   Xo=   500.0     Yo=   418.9",
    };
    EXPECT_EQ(Lines(r.begin(), r.begin() + 9), top);
    EXPECT_EQ(r[32], " 24   Xo=   500.0     Yo=   418.9");
    EXPECT_EQ(r[33], std::string(33, '-'));
    EXPECT_EQ(r[34], "Gabaryty arkusza blachy :");
    EXPECT_EQ(r[35], "1000.0 x 2513.3");
    EXPECT_EQ(report.allLines().size(), 48u);
}

class PipePipeReportLength : public ::testing::TestWithParam<int> {};

TEST_P(PipePipeReportLength, HasOneLinePerPointAndFixedRest) {
    PipePipeInputs in;
    in.N = GetParam();
    const auto n = static_cast<std::size_t>(GetParam());
    EXPECT_EQ(pipePipeOutputs(smaller(in), "d").report.resultLines().size(), n + 5);
    EXPECT_EQ(pipePipeOutputs(larger(in), "d").report.resultLines().size(), n + 12);
}

INSTANTIATE_TEST_SUITE_P(Table, PipePipeReportLength, ::testing::Values(2, 3, 24, 999, 2000));

TEST(PipePipeReport, WideNumbersPushTheLineRightUncut) {
    PipePipeInputs in;
    in.N = 2000;
    in.BETA = 0.001; // generators about 11 m long
    const PipePipeModel m = smaller(in);
    const Lines r = pipePipeOutputs(m, "d").report.resultLines();
    const std::string last = formatReport(m.h[2000]);
    ASSERT_GE(last.size(), 10u);
    EXPECT_EQ(r[2001], "2000   L=   942.5     h=" + last);
    EXPECT_EQ(r[1001], "1000   L=   471.2     h=" + formatReport(m.h[1000]));
    EXPECT_EQ(r[1000].substr(0, 6), "999   ");
}

TEST(PipePipeReport, NegativeValuesStayInTheirField) {
    PipePipeInputs in;
    in.H = 100; // the end face lies below the shell's top: every h is negative
    const Lines r = pipePipeOutputs(smaller(in), "d").report.resultLines();
    EXPECT_EQ(r[1], "  0   L=     0.0     h=  -246.4");
    EXPECT_EQ(r[28], "942.5 x 0.0");
    in.Lm = -900;
    const Lines shell = pipePipeOutputs(larger(in), "d").report.resultLines();
    EXPECT_EQ(shell[8], "  0   Xo=  -750.0     Yo=   418.9");
    EXPECT_EQ(pointLine(3, "   ", {{"L=", -12345.67}, {"     h=", -0.04}}),
              "  3   L=-12345.7     h=     0.0");
}

TEST(PipePipePattern, TemplateWithNegativeHeightsLiesAboveTheBaseLine) {
    PipePipeInputs in;
    in.H = 100;
    for (const PatternLine& line : pipePipeOutputs(smaller(in), "-").pattern.lines) {
        EXPECT_GE(line.from.y, 0.0);
        EXPECT_GE(line.to.y, 0.0);
    }
}

TEST(PipePipePattern, TemplateDownwardsAndShellUpwardsOverTheirSheets) {
    const PreviewFrame t = pipePipeOutputs(smaller(), "-").look.frame;
    EXPECT_EQ(t.orientation, PreviewOrientation::Downwards);
    EXPECT_NEAR(t.xMax, 942.478, 1e-3);
    EXPECT_NEAR(t.yMax, 506.351, 1e-3);
    const PreviewFrame s = pipePipeOutputs(larger(), "-").look.frame;
    EXPECT_EQ(s.orientation, PreviewOrientation::Upwards);
    EXPECT_EQ(s.xMax, 1000.0);
    EXPECT_NEAR(s.yMax, 2513.274, 1e-3);
}

} // namespace
} // namespace blachorys::core
