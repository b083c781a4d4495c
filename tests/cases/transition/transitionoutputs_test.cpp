#include "cases/transition/transitionoutputs.h"
#include "common/core/calculator/outputdrawings.h"

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
    EXPECT_EQ(report.headerLines(),
              (Lines{
                  "Rozwiniecie Przejsciowki KOLO - PROSTOKAT",
                  rule,
                  "DANE :",
                  "A = 150.0 [mm] , PA = 15.0 [mm] , B = 220.0 [mm] , PB = 20.0",
                  "D = 300.0 [mm] , H = 230.0 [mm] , N = 12 [-]",
                  rule,
                  "WYNIKI :",
              }));
    const Lines& r = report.resultLines();
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
    EXPECT_EQ(report.dateLine, "Obliczenia wykonano w dniu : 08-12-2026 programem - Blachorys");
    EXPECT_EQ(report.allLines().size(), 7u + 60u + 4u);
}

TEST(TransitionReport, LargestNKeepsItsFieldsAndNegativeInputs) {
    TransitionInputs in;
    in.N = 500;
    in.PA = -12.25;
    in.PB = -3.5;
    const PointReport report = transitionOutputs(computeTransition(in), "d").report;
    const Lines& r = report.resultLines();
    ASSERT_EQ(r.size(), 4u * 502 + 4);
    EXPECT_EQ(report.heading.inputLines[0],
              "A = 150.0 [mm] , PA = -12.3 [mm] , B = 220.0 [mm] , PB = -3.5");
    EXPECT_EQ(report.heading.inputLines[1], "D = 300.0 [mm] , H = 230.0 [mm] , N = 500 [-]");
    // Indices of three digits fill their field; the quarter's rule follows point 500.
    EXPECT_EQ(r[500].substr(0, 7), "  1-500");
    EXPECT_EQ(r[501], std::string(59, '-'));
    EXPECT_EQ(r[4 * 501 + 4].substr(0, 7), "  5-  0");
}

TEST(TransitionDxf, DefaultsGiveTheLayersAndColoursInOrder) {
    const TransitionModel m = computeTransition({});
    const std::vector<DxfLine> lines = dxfLinesOf(transitionOutputs(m, "-"));
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
}

TEST(TransitionDxf, EightNPlusNineLinesAtEveryN) {
    for (int N : {2, 37, 500}) {
        const auto lines = transitionOutputs(quarteredInto(N), "-").pattern.lines;
        EXPECT_EQ(lines.size(), static_cast<std::size_t>(8 * N + 9)) << N;
    }
}

} // namespace
} // namespace blachorys::core
