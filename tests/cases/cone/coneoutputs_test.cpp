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
    EXPECT_EQ(report.headerLines(), (Lines{
                                        "Rozwiniecie STOZKA",
                                        std::string(55, '-'),
                                        "DANE :",
                                        "Dsm = 600.0 [mm] , Dsd = 800.0 [mm] , ALFA = 0.0 [°]",
                                        "Hs = 1000.0 [mm] , E = 100.0 [mm] , N = 24 [-]",
                                        std::string(55, '-'),
                                        "WYNIKI :",
                                    }));
    const Lines& r = report.resultLines();
    ASSERT_EQ(r.size(), 28u);
    EXPECT_EQ(r[0], "  0  Xm=  3029.9, Ym=     0.0, Xd=  4039.8, Yd=     0.0");
    EXPECT_EQ(r[24], " 24  Xm=  2464.8, Ym=  1762.0, Xd=  3286.4, Yd=  2349.4");
    EXPECT_EQ(r[25], std::string(55, '-'));
    EXPECT_EQ(r[26], "Gabaryty arkusza blachy :");
    EXPECT_EQ(r[27], "1590.8 x 2349.4");
    EXPECT_EQ(report.dateLine, "Obliczenia wykonano w dniu : 08-12-2026 programem - Blachorys");
    EXPECT_EQ(report.allLines().size(), 39u);
}

TEST(ConeReport, WideNumbersAndNegativesKeepTheirFields) {
    ConeInputs in;
    in.Hs = 50; // a nearly flat ring: points past half a turn have negative coordinates
    in.N = 2000;
    in.alfa = -12.25;
    in.E = -3.5;
    const PointReport report = coneOutputs(computeCone(in), "d").report;
    EXPECT_EQ(report.heading.inputLines[0],
              "Dsm = 600.0 [mm] , Dsd = 800.0 [mm] , ALFA = -12.3 [°]");
    EXPECT_EQ(report.heading.inputLines[1], "Hs = 50.0 [mm] , E = -3.5 [mm] , N = 2000 [-]");
    const Lines& r = report.resultLines();
    ASSERT_EQ(r.size(), 2004u);
    EXPECT_EQ(r[999], "999  Xm=  -320.0, Ym=    94.1, Xd=  -426.7, Yd=   125.5");
    // Past half a turn the points lie below and left of the apex; the signs stay in the fields.
    EXPECT_EQ(r[1500], "1500  Xm=  -155.7, Ym=  -307.5, Xd=  -207.5, Yd=  -410.0");
    EXPECT_EQ(r[2000], "2000  Xm=   265.8, Ym=  -208.1, Xd=   354.4, Yd=  -277.4");
}

TEST(ConePattern, ThreeLinesPerDivisionAndOneAndTheFrameIsTheSheet) {
    for (int N : {2, 24, 2000}) {
        EXPECT_EQ(coneOutputs(withDivisions(N), "-").pattern.lines.size(),
                  static_cast<std::size_t>(3 * N + 1));
    }
    const ConeModel m = computeCone({});
    const PreviewFrame frame = coneOutputs(m, "-").look.frame;
    EXPECT_EQ(frame.orientation, PreviewOrientation::BoundingBox);
    EXPECT_EQ((std::vector{frame.xMin, frame.xMax, frame.yMin, frame.yMax}),
              (std::vector{m.sheet.xMin, m.sheet.xMax, m.sheet.yMin, m.sheet.yMax}));
}

} // namespace
} // namespace blachorys::core
