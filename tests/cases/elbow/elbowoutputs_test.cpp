#include "cases/elbow/elbowoutputs.h"

#include "common/core/base/numbertext.h"
#include "common/core/calculator/outputdrawings.h"
#include "common/core/sheets/previewfit.h"
#include "common/core/sheets/templateplan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace blachorys::core {
namespace {

using Lines = std::vector<std::string>;

std::string dxfNumber(double value) {
    return formatFixed(value, kDxfDecimals);
}

/** Each listed line of `lines` by its index. */
void expectLinesAt(const Lines& lines,
                   std::initializer_list<std::pair<std::size_t, std::string>> expected) {
    for (const auto& [index, text] : expected) {
        ASSERT_LT(index, lines.size());
        EXPECT_EQ(lines[index], text) << "line " << index;
    }
}

TEST(ElbowReport, DefaultsHeaderResultsAndFooter) {
    const PointReport report = elbowOutputs(computeElbow({}), "08-12-2026").report;
    const std::string rule(55, '-');
    ASSERT_EQ(report.headerLines().size(), 7u);
    expectLinesAt(report.headerLines(), {{0, "Rozwiniecie KOLANA SEGMENTOWEGO"},
                                         {1, rule},
                                         {2, "DANE :"},
                                         {3, "Dr = 300.0 [mm] , Rk = 800.0 [mm] , BETA = 90.0 [°]"},
                                         {4, "Ns = 6 [-] , N = 24 [-]"},
                                         {5, rule},
                                         {6, "WYNIKI :"}});
    // N + 1 point lines, then the rule, the caption and both sheets.
    ASSERT_EQ(report.resultLines().size(), 24u + 4u);
    expectLinesAt(report.resultLines(), {{0, "  0  L=     0.0, hA=   102.9, hB=   205.9"},
                                         {12, " 12  L=   471.2, hA=   150.5, hB=   300.9"},
                                         {24, " 24  L=   942.5, hA=   102.9, hB=   205.9"},
                                         {25, rule},
                                         {26, "Gabaryty arkusza blachy :"},
                                         {27, "A->  942.5 x 150.5  ,  B->  942.5 x 300.9"}});
    EXPECT_EQ(report.dateLine, "Obliczenia wykonano w dniu : 08-12-2026 programem - Blachorys");
    EXPECT_EQ(report.allLines().size(), 7u + 28u + 4u);
}

TEST(ElbowReport, MostDivisionsKeepEveryFieldAndFourDigitNumbers) {
    ElbowInputs in;
    in.N = 2000;
    in.Dr = 1219.2;
    in.Rk = 3048.75;
    in.BETA = 45.5;
    in.Ns = 3;
    const PointReport report = elbowOutputs(computeElbow(in), "d").report;
    expectLinesAt(report.headerLines(),
                  {{3, "Dr = 1219.2 [mm] , Rk = 3048.8 [mm] , BETA = 45.5 [°]"},
                   {4, "Ns = 3 [-] , N = 2000 [-]"}});
    ASSERT_EQ(report.resultLines().size(), 2004u);
    // tan 11.375° = 0.201181…: the inner side 2439.15 mm, the outer side 3658.35 mm from the axis.
    expectLinesAt(report.resultLines(), {{0, "  0  L=     0.0, hA=   490.7, hB=   981.4"},
                                         {1000, "1000  L=  1915.1, hA=   736.0, hB=  1472.0"},
                                         {2000, "2000  L=  3830.2, hA=   490.7, hB=   981.4"},
                                         {2003, "A->  3830.2 x 736.0  ,  B->  3830.2 x 1472.0"}});
}

TEST(ElbowDxf, DefaultsHoldTheWorkedCoordinates) {
    const ElbowModel m = computeElbow({});
    const std::vector<DxfLine> lines = dxfLinesOf(elbowOutputs(m, "-"));
    ASSERT_EQ(lines.size(), 124u);
    for (const DxfLine& line : lines) {
        EXPECT_EQ(line.layer, "KONTURY");
    }
    // The centre line follows the left edge of B.
    const DxfLine& centre = lines[99];
    EXPECT_EQ(centre.colour, 1);
    EXPECT_EQ(dxfNumber(centre.y1), "376.16");
    EXPECT_EQ(dxfNumber(centre.y2), "376.16");
    EXPECT_EQ(dxfNumber(centre.x1), "0.00");
    EXPECT_EQ(dxfNumber(centre.x2), "942.48");
    // B's curves run in pairs, upper first; the pair from generator 11 ends at generator 12.
    EXPECT_EQ(dxfNumber(lines[50 + 2 * 11].x2), "471.24");
    EXPECT_EQ(dxfNumber(lines[50 + 2 * 11].y2), "526.63");
    EXPECT_EQ(dxfNumber(lines[50 + 2 * 11 + 1].y2), "225.70");
    // The outer generator of A reaches the top of A's sheet.
    EXPECT_EQ(dxfNumber(lines[27 + 11].y2), "150.47");
}

class ElbowDxfShapes : public ::testing::TestWithParam<ElbowInputs> {};

// Where two segments meet, both cuts are the same curve: A's cut above its base line and each
// half of B above or below B's centre line. B is its own mirror image in the centre line.
TEST_P(ElbowDxfShapes, JointsMatchAndTheMiddleSegmentIsSymmetric) {
    const ElbowModel m = computeElbow(GetParam());
    const std::vector<DxfLine> lines = dxfLinesOf(elbowOutputs(m, "-"));
    const std::size_t n = m.L.size() - 1;
    ASSERT_EQ(lines.size(), 5 * n + 4);
    // The centre line: the one horizontal generator-coloured line, off the base line.
    const auto centre = std::find_if(lines.begin(), lines.end(), [](const DxfLine& line) {
        return line.colour == 1 && line.y1 == line.y2 && line.y1 != 0.0;
    });
    ASSERT_NE(centre, lines.end());
    const double y0 = centre->y1;
    EXPECT_GT(y0 - m.hmax, m.hmax) << "B lies clear above A";

    std::vector<double> aCut;   // A's cut, height above the base line
    std::vector<double> bUpper; // B's upper cut, height above the centre line
    std::vector<double> bLower; // B's lower cut, depth below the centre line
    std::vector<const DxfLine*> middle;
    for (const DxfLine& line : lines) {
        // A reaches up to hmax, B down to 1.5·hmax.
        const bool inB = std::min(line.y1, line.y2) > 1.25 * m.hmax;
        if (inB) {
            middle.push_back(&line);
        }
        if (line.colour != 3) {
            continue;
        }
        if (!inB) {
            aCut.push_back(line.y1);
        } else if (line.y1 + line.y2 > 2 * y0) {
            bUpper.push_back(line.y1 - y0);
        } else {
            bLower.push_back(y0 - line.y1);
        }
    }
    ASSERT_EQ(aCut.size(), n);
    ASSERT_EQ(bUpper.size(), n);
    ASSERT_EQ(bLower.size(), n);
    for (std::size_t i = 0; i < n; ++i) {
        EXPECT_NEAR(bUpper[i], aCut[i], 1e-9 * m.hmax) << i;
        EXPECT_NEAR(bLower[i], aCut[i], 1e-9 * m.hmax) << i;
    }
    ASSERT_EQ(middle.size(), 3 * n + 2);
    for (const DxfLine* line : middle) {
        const auto mirrored = std::find_if(middle.begin(), middle.end(), [&](const DxfLine* o) {
            const auto near = [&](double a, double b) { return std::fabs(a - b) < 1e-9 * y0; };
            const bool forwards = near(o->x1, line->x1) && near(o->x2, line->x2) &&
                                  near(o->y1, 2 * y0 - line->y1) && near(o->y2, 2 * y0 - line->y2);
            const bool backwards = near(o->x1, line->x2) && near(o->x2, line->x1) &&
                                   near(o->y1, 2 * y0 - line->y2) && near(o->y2, 2 * y0 - line->y1);
            return o->colour == line->colour && (forwards || backwards);
        });
        EXPECT_NE(mirrored, middle.end()) << line->x1 << ", " << line->y1;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ElbowDxfShapes,
                         ::testing::Values(ElbowInputs{}, ElbowInputs{300, 150, 90, 6, 24},
                                           ElbowInputs{508, 1200.5, 135.5, 5, 37},
                                           ElbowInputs{219.1, 400, 360, 9, 2}));

/** Where the elbow's own layout puts the patterns in an image of W × H pixels. */
struct ElbowLayout {
    double scale;
    int x0;
    int yA; ///< A's base line
    int yB; ///< B's centre line
};

ElbowLayout ownLayout(const ElbowModel& m, int W, int H) {
    const double sx = 0.9 * W / m.Lc;
    const double sy = 0.9 * H / (4.5 * m.hmax);
    const double S = sx < sy ? sx : sy;
    return {S, roundHalfEven((W - S * m.Lc) / 2), roundHalfEven((H + 3.5 * m.hmax * S) / 2),
            roundHalfEven((H - 1.5 * m.hmax * S) / 2)};
}

// The shared fit on the box 0..Lc by −0.5·hmax..4·hmax places every point where the elbow's
// own layout does, to a pixel of rounding. (Only where all four roundings involved fall on
// exact halves at once can B's rows differ by two; an image 150 pixels high with a
// height-limited scale is such a case, so the sizes here avoid it.)
TEST(ElbowPreview, TheBoundingBoxFitIsTheElbowsOwnLayout) {
    for (const ElbowInputs& in :
         {ElbowInputs{}, ElbowInputs{300, 150, 90, 6, 24}, ElbowInputs{100, 2000, 10, 3, 24},
          ElbowInputs{508, 1200.5, 135.5, 5, 37}}) {
        const ElbowModel m = computeElbow(in);
        const PreviewDrawing drawing = previewOf(elbowOutputs(m, "-"));
        for (const auto& [W, H] : {std::pair{481, 344}, std::pair{481, 316}, std::pair{800, 600},
                                   std::pair{1200, 151}}) {
            SCOPED_TRACE(std::to_string(W) + " x " + std::to_string(H));
            const PreviewFit fit = fitPreview(W, H, drawing);
            const ElbowLayout own = ownLayout(m, W, H);
            EXPECT_NEAR(fit.scale, own.scale, 1e-12 * own.scale);
            const double S = own.scale;
            const double y0 = 2.5 * m.hmax;
            int worst = 0;
            const auto near = [&](PreviewPoint mm, int x, int y) {
                const PixelPoint p = fit.toPixel(mm);
                worst = std::max({worst, std::abs(p.x - x), std::abs(p.y - y)});
            };
            near({0, 0}, own.x0, own.yA);
            near({m.Lc, 0}, own.x0 + roundHalfEven(S * m.Lc), own.yA);
            near({0, y0}, own.x0, own.yB);
            for (std::size_t i = 0; i < m.L.size(); ++i) {
                const int column = own.x0 + roundHalfEven(S * m.L[i]);
                const int rise = roundHalfEven(S * m.h[i]);
                near({m.L[i], m.h[i]}, column, own.yA - rise);
                near({m.L[i], y0 + m.h[i]}, column, own.yB - rise);
                near({m.L[i], y0 - m.h[i]}, column, own.yB + rise);
            }
            EXPECT_LE(worst, 1);
            // The read-out measures from the left end of A's base line.
            EXPECT_EQ(fit.readOut(fit.toPixel({0, 0}).x, fit.toPixel({0, 0}).y),
                      (PixelPoint{0, 0}));
        }
    }
}

TEST(ElbowOutputs, TheTemplateAndThePreviewNameEachPatternAndHowManyToCut) {
    ElbowInputs in;
    in.Ns = 7;
    const CalculationOutputs outputs = elbowOutputs(computeElbow(in), "d");
    std::vector<std::string> printed;
    const auto planning = planTemplate(outputs.pattern, outputs.look.styles, {}, 0.0);
    ASSERT_TRUE(planning.plan);
    for (const TemplatePage& page : planning.plan->pages) {
        for (const PageLabel& label : page.labels) {
            printed.push_back(label.text);
        }
    }
    for (const char* text : {"A – 2 szt.", "B – 5 szt.", "hA0", "hB0"}) {
        EXPECT_NE(std::find(printed.begin(), printed.end(), text), printed.end()) << text;
    }
    std::vector<std::string> previewed;
    for (const PreviewCaption& caption : previewOf(outputs).captions) {
        previewed.push_back(caption.text);
    }
    EXPECT_EQ(previewed, (std::vector<std::string>{"A – 2 szt.", "B – 5 szt."}));
}

} // namespace
} // namespace blachorys::core
