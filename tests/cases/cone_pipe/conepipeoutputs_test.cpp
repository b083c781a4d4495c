#include "cases/cone_pipe/conepipeoutputs.h"
#include "common/core/calculator/outputdrawings.h"

#include "common/core/sheets/dxftemplatewriter.h"

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
    EXPECT_EQ(report.headerLines(), kHeader);
    return report;
}

TEST(ConePipeReport, ConeModeDefaults) {
    const PointReport report = defaultsReport(ConePipeDevelopment::Cone);
    const Lines& r = report.resultLines();
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
    const Lines& r = report.resultLines();
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
    EXPECT_EQ(report.heading.inputLines[0],
              "Ds = 200.0 [mm] , Dr = 600.0 [mm] , P = -12.3 [mm] , Gamma = 18.0 [°]");
    EXPECT_EQ(report.heading.inputLines[1],
              "BETA = 75.0 [°] , alfa = -30.0 [°] , Hs = 420.0 [mm] , L = 800.0");
    EXPECT_EQ(report.heading.inputLines[2], "Lm = 300.0 [mm] , N = 2000 [-]");
    ASSERT_EQ(report.resultLines().size(), 2005u);
    // Four-digit point numbers push the line right, never cut.
    EXPECT_EQ(report.resultLines()[2001].substr(0, 10), "2000, Xm= ");
}

TEST(ConePipeDxf, LineCountsFollowN) {
    for (const int N : {2, 48, 2000}) {
        EXPECT_EQ(conePipeOutputs(modelOf(ConePipeDevelopment::Cone, N), "-").pattern.lines.size(),
                  static_cast<std::size_t>(3 * N + 1));
        EXPECT_EQ(conePipeOutputs(modelOf(ConePipeDevelopment::Pipe, N), "-").pattern.lines.size(),
                  static_cast<std::size_t>(N + 4));
    }
}

TEST(ConePipeDxf, PipeRectangleAndHoleAsWritten) {
    const std::string text = DxfTemplateWriter::documentText(
        dxfLinesOf(conePipeOutputs(modelOf(ConePipeDevelopment::Pipe), "-")));
    // The rectangle's far corner, π·600 written with two decimals.
    EXPECT_NE(text.find("\r\n 11\r\n800.00\r\n 21\r\n1884.96\r\n"), std::string::npos);
    const std::vector<DxfLine> lines =
        dxfLinesOf(conePipeOutputs(modelOf(ConePipeDevelopment::Pipe), "-"));
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

} // namespace
} // namespace blachorys::core
