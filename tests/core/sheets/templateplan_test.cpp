#include "common/core/pattern/patternlines.h"
#include "common/core/sheets/templateplan.h"
#include "common/core/sheets/templatewording.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <set>

namespace blachorys::core {
namespace {

struct Line {
    LineRole role;
    double x1, y1, x2, y2;
};

/** A pattern of these lines in the standard styles. */
Pattern patternOf(const std::vector<Line>& lines) {
    Pattern pattern;
    for (const Line& l : lines) {
        pattern.lines.push_back({l.role, {l.x1, l.y1}, {l.x2, l.y2}});
    }
    return pattern;
}

/** A rectangle outline of `width` × `height` mm from (x, y), black. */
Pattern rectangle(double x, double y, double width, double height) {
    const LineRole edge = LineRole::EndEdge;
    return patternOf({{edge, x, y, x + width, y},
                      {edge, x + width, y, x + width, y + height},
                      {edge, x + width, y + height, x, y + height},
                      {edge, x, y + height, x, y}});
}

TemplatePlan planned(Pattern pattern, TemplateSettings settings = {},
                     const std::vector<PointMark>& marks = {}) {
    pattern.points = marks;
    const TemplatePlanning planning = planTemplate(pattern, standardStyles(), settings, 0.0);
    EXPECT_TRUE(planning.plan) << planning.problem;
    return planning.plan.value_or(TemplatePlan{});
}

/** Total length of the strokes on all pages, in pattern millimetres along X. */
double horizontalLength(const TemplatePlan& plan, double pageY) {
    double total = 0.0;
    for (const auto& page : plan.pages) {
        for (const auto& s : page.strokes) {
            if (std::fabs(s.y1 - pageY) < 1e-9 && std::fabs(s.y2 - pageY) < 1e-9) {
                total += std::fabs(s.x2 - s.x1) / plan.scaleX;
            }
        }
    }
    return total;
}

TEST(TemplatePlan, PaperSizesAndPageNames) {
    EXPECT_EQ(paperOf(PaperSize::A4).mm.width, 210.0);
    EXPECT_EQ(paperOf(PaperSize::A3).mm.height, 420.0);
    EXPECT_NEAR(paperOf(PaperSize::Letter).mm.width, 215.9, 1e-9);
    EXPECT_EQ(paperNamed("Letter"), PaperSize::Letter);
    EXPECT_EQ(paperNamed("A5"), std::nullopt);
    EXPECT_EQ(paperMeasuring(420.0, 297.0), PaperSize::A3);
    EXPECT_EQ(paperMeasuring(148.0, 210.0), std::nullopt);
    EXPECT_EQ(pageName(0, 0), "A1");
    EXPECT_EQ(pageName(1, 11), "B12");
    EXPECT_EQ(rowName(25), "Z");
    EXPECT_EQ(rowName(26), "AA");
    EXPECT_EQ(rowName(27), "AB");
}

TEST(TemplatePlan, TilesStepByTheirSizeLessTheOverlap) {
    EXPECT_EQ(tilesToCover(100, 180, 10), 1);
    EXPECT_EQ(tilesToCover(180, 180, 10), 1);
    EXPECT_EQ(tilesToCover(180.1, 180, 10), 2);
    EXPECT_EQ(tilesToCover(350, 180, 10), 2);
    EXPECT_EQ(tilesToCover(350.1, 180, 10), 3);
}

TEST(TemplatePlan, TheFrameLiesInsideTheMarginAndTheBands) {
    const TemplatePlan plan =
        planned(rectangle(0, 0, 100, 100), {.orientation = PageOrientation::Portrait});
    EXPECT_FALSE(plan.landscape);
    EXPECT_EQ(plan.paper.width, 210.0);
    EXPECT_EQ(plan.frame.left, kMinMarginMm + kLeftBandMm);
    EXPECT_EQ(plan.frame.top, kMinMarginMm + kTopBandMm);
    EXPECT_EQ(plan.frame.right(), 210.0 - kMinMarginMm - kRightBandMm);
    EXPECT_EQ(plan.frame.bottom(), 297.0 - kMinMarginMm - kBottomBandMm);
    // A printer with a wider unprintable edge pushes everything in.
    const auto wide = planTemplate(rectangle(0, 0, 100, 100), {}, {}, 8.0);
    ASSERT_TRUE(wide.plan);
    EXPECT_EQ(wide.plan->frame.left, 8.0 + kLeftBandMm);
}

TEST(TemplatePlan, EveryLineIsOnThePagesWhole) {
    // 942.48 × 506.4, the pipe-pipe template: its base line summed over the pages, less the
    // overlaps it crosses, is its own length.
    const double width = 300 * std::numbers::pi;
    const Pattern lines = patternOf(
        {{LineRole::StartEdge, 0, 0, width, 0}, {LineRole::EndEdge, 0, -506.4, width, -506.4}});
    for (auto orientation : {PageOrientation::Portrait, PageOrientation::Landscape}) {
        const TemplatePlan plan = planned(lines, {.orientation = orientation});
        double total = 0.0;
        int crossed = 0;
        for (const auto& page : plan.pages) {
            for (const auto& s : page.strokes) {
                if (s.role == LineRole::StartEdge) {
                    total += std::fabs(s.x2 - s.x1);
                    ++crossed;
                }
            }
        }
        EXPECT_EQ(crossed, plan.columns);
        EXPECT_NEAR(total - (plan.columns - 1) * plan.settings.overlapMm, width, 1e-9);
    }
}

TEST(TemplatePlan, TheScaleCorrectionStretchesThePaperNotThePattern) {
    const Pattern line = patternOf({{LineRole::StartEdge, 0, 0, 1000, 0}});
    const TemplatePlan plain = planned(line, {.orientation = PageOrientation::Landscape});
    const TemplatePlan corrected =
        planned(line, {.orientation = PageOrientation::Landscape, .scaleXPercent = 101.0});
    // In pattern millimetres nothing changes; on the paper the line is 1 % longer.
    EXPECT_NEAR(horizontalLength(corrected, corrected.pageY(corrected.pages[0], 0.0)) -
                    (corrected.columns - 1) * 10.0,
                1000.0, 1e-9);
    double paperLength = 0.0;
    for (const auto& page : corrected.pages) {
        for (const auto& s : page.strokes) {
            paperLength += std::fabs(s.x2 - s.x1);
        }
    }
    EXPECT_NEAR(paperLength - (corrected.columns - 1) * 10.0 * 1.01, 1010.0, 1e-9);
    EXPECT_LT(corrected.tileWidth, plain.tileWidth);
    EXPECT_NEAR(corrected.tileWidth * 1.01, corrected.frame.width, 1e-9);
}

TEST(TemplatePlan, PagesWithNothingOnThemAreLeftOut) {
    // An L of two long thin arms: the inner corner of its bounding box stays empty.
    Pattern lines = rectangle(0, 0, 1000, 20);
    const Pattern arm = rectangle(0, 0, 20, 1000);
    lines.lines.insert(lines.lines.end(), arm.lines.begin(), arm.lines.end());
    const TemplatePlan plan = planned(lines, {.orientation = PageOrientation::Portrait});
    EXPECT_LT(static_cast<int>(plan.pages.size()), plan.rows * plan.columns);
    std::set<std::string> names;
    for (const auto& page : plan.pages) {
        EXPECT_FALSE(page.strokes.empty()) << page.name;
        names.insert(page.name);
        // Only printed neighbours are named.
        for (const std::string* neighbour : {&page.above, &page.below, &page.left, &page.right}) {
            EXPECT_TRUE(neighbour->empty() || names.count(*neighbour) > 0 ||
                        std::any_of(plan.pages.begin(), plan.pages.end(),
                                    [&](const TemplatePage& p) { return p.name == *neighbour; }));
        }
    }
    // The bottom-left page of the grid holds the corner and is printed; the top right is not.
    const std::string lastRow = rowName(plan.rows - 1);
    EXPECT_EQ(names.count(lastRow + "1"), 1u);
    EXPECT_EQ(names.count("A" + std::to_string(plan.columns)), 0u);
}

TEST(TemplatePlan, APatternFarFromTheOriginGetsPagesOnlyWhereItIs) {
    const TemplatePlan plan = planned(rectangle(2465, -300, 1575, 2350));
    const double coveredWidth = plan.columns * (plan.tileWidth - 10) + 10;
    EXPECT_LT(coveredWidth, 1575 + plan.tileWidth);
    EXPECT_NEAR(plan.patternMinX + coveredWidth / 2, 2465 + 1575.0 / 2, 1e-9);
}

TEST(TemplatePlan, AutomaticOrientationTakesTheOneWithFewerPages) {
    // 500 × 180: three upright A4 frames across, but two lying ones.
    const auto lines = rectangle(0, 0, 500, 170);
    const TemplatePlan automatic = planned(lines);
    const TemplatePlan upright = planned(lines, {.orientation = PageOrientation::Portrait});
    const TemplatePlan lying = planned(lines, {.orientation = PageOrientation::Landscape});
    EXPECT_LT(lying.pages.size(), upright.pages.size());
    EXPECT_TRUE(automatic.landscape);
    EXPECT_EQ(automatic.pages.size(), lying.pages.size());
    // On a tie, upright.
    EXPECT_FALSE(planned(rectangle(0, 0, 50, 50)).landscape);
}

TEST(TemplatePlan, EveryKthPointAndTheQuarterPointsAreNumberedNoNumberOverAnother) {
    std::vector<PointMark> marks;
    for (int i = 0; i <= 100; ++i) {
        marks.push_back({i * 1.0, 0.0, std::to_string(i)}); // 1 mm apart
    }
    const TemplatePlan plan = planned(patternOf({{LineRole::EndEdge, 0, 0, 100, 0}}), {}, marks);
    ASSERT_EQ(plan.pages.size(), 1u);
    std::set<std::string> numbered;
    for (const PageLabel& label : plan.pages[0].labels) {
        numbered.insert(label.text);
    }
    // Every 10th, 6 mm apart at least, and the quarter points 25 and 75 besides.
    std::set<std::string> expected{"25", "75"};
    for (int i = 0; i <= 100; i += 10) {
        expected.insert(std::to_string(i));
    }
    EXPECT_EQ(numbered, expected);
}

bool overlap(const RectMm& a, const RectMm& b) {
    return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

TEST(TemplatePlan, NumbersKeepOffTheCrossesAndEachOtherAndStayInTheFrame) {
    // Points crowded round a corner of a zone four pages share, where crosses stand.
    const TemplatePlan empty = planned(rectangle(0, 0, 400, 500));
    const TemplatePage& first = empty.pages.front();
    ASSERT_FALSE(first.crosses.empty());
    const PagePoint corner = first.crosses.back();
    const double centreX = first.patternLeft + (corner.x - empty.frame.left) / empty.scaleX;
    const double centreY = first.patternTop - (corner.y - empty.frame.top) / empty.scaleY;
    std::vector<PointMark> marks;
    for (int i = 0; i <= 400; ++i) {
        const double angle = i * 0.05;
        marks.push_back({centreX + 0.05 * i * std::cos(angle), centreY + 0.05 * i * std::sin(angle),
                         std::to_string(i)});
    }
    const TemplatePlan plan = planned(rectangle(0, 0, 400, 500), {}, marks);
    ASSERT_GT(plan.pages.size(), 1u);
    std::size_t labels = 0;
    for (const TemplatePage& page : plan.pages) {
        for (std::size_t i = 0; i < page.labels.size(); ++i) {
            const RectMm& box = page.labels[i].box;
            EXPECT_GE(box.left, plan.frame.left);
            EXPECT_LE(box.right(), plan.frame.right());
            EXPECT_GE(box.top, plan.frame.top);
            EXPECT_LE(box.bottom(), plan.frame.bottom());
            for (std::size_t j = i + 1; j < page.labels.size(); ++j) {
                EXPECT_FALSE(overlap(box, page.labels[j].box)) << page.name;
            }
            for (const PageLabel& other : page.labels) {
                const RectMm dot{other.x - kPointDotRadiusMm, other.y - kPointDotRadiusMm,
                                 2 * kPointDotRadiusMm, 2 * kPointDotRadiusMm};
                EXPECT_TRUE(&other == &page.labels[i] || !overlap(box, dot)) << page.name;
            }
            for (const PagePoint& cross : page.crosses) {
                const RectMm across{cross.x - kCrossArmMm, cross.y, 2 * kCrossArmMm, 0.0};
                const RectMm along{cross.x, cross.y - kCrossArmMm, 0.0, 2 * kCrossArmMm};
                EXPECT_FALSE(
                    overlap(box, RectMm{across.left, across.top - 0.01, across.width, 0.02}) ||
                    overlap(box, RectMm{along.left - 0.01, along.top, 0.02, along.height}))
                    << page.name << " " << page.labels[i].text;
            }
        }
        labels += page.labels.size();
    }
    EXPECT_GT(labels, 10u);
}

TEST(TemplatePlan, TheSummaryCountsTheSheetsWithTheOverviewInPolish) {
    const TemplateSettings upright{.orientation = PageOrientation::Portrait};
    // A 3 × 4 grid whose two middle tiles hold nothing of the outline.
    EXPECT_EQ(sheetSummary(planned(rectangle(0, 0, 400, 900), upright)),
              "11 arkuszy A4 pionowo (podgląd i 10 stron, siatka 4 rzędy × 3 kolumny)");
    EXPECT_EQ(sheetSummary(planned(rectangle(0, 0, 100, 100), upright)),
              "2 arkusze A4 pionowo (podgląd i 1 strona, siatka 1 rząd × 1 kolumna)");
}

TEST(TemplatePlan, InkIsThePreviewsPenThinForMarkedLinesAndDarkOnPaper) {
    for (const PenRole pen : {PenRole::SeamEdge, PenRole::Curve, PenRole::Edge, PenRole::Generator,
                              PenRole::CentreLine}) {
        const TemplateInk ink = inkFor(pen);
        // Lines 1 pixel wide in the preview are marked, not cut: thin on the template.
        EXPECT_EQ(ink.widthMm, penFor(pen).width == 1 ? 0.15 : 0.3);
        EXPECT_EQ(ink.dashDot, penFor(pen).style == PenStyle::DashDot);
        // Dark enough on white: no channel mix brighter than a mid grey.
        const Rgb c = ink.colour;
        EXPECT_LT(0.299 * c.red + 0.587 * c.green + 0.114 * c.blue, 128.0);
    }
}

TEST(TemplatePlan, UnusableSettingsAndHugePatternsAreRefused) {
    const auto lines = rectangle(0, 0, 100, 100);
    EXPECT_FALSE(planTemplate(lines, {}, {.scaleXPercent = 200}, 0).plan);
    EXPECT_FALSE(planTemplate(lines, {}, {.overlapMm = -1}, 0).plan);
    EXPECT_FALSE(planTemplate(lines, {}, {.overlapMm = 51}, 0).plan);
    EXPECT_FALSE(planTemplate(Pattern{}, {}, {}, 0).plan);
    const auto huge = planTemplate(rectangle(0, 0, 80000, 80000), {}, {}, 0);
    EXPECT_FALSE(huge.plan);
    EXPECT_NE(huge.problem.find("stron"), std::string::npos) << huge.problem;
}

TEST(TemplatePlan, APatternOfPointsOnlyIsRefusedNotPlannedWithNoPages) {
    // A pipe of no diameter unrolls to lines of no length: nothing shows on any page.
    Pattern points =
        patternOf({{LineRole::SeamEdge, 0, 0, 0, -0.0}, {LineRole::Generator, 0, 0, 0, 0}});
    points.points = {{0, 0, "0"}};
    const auto planning = planTemplate(points, {}, {}, 0);
    EXPECT_FALSE(planning.plan) << planning.plan->pages.size() << " pages";
    EXPECT_EQ(planning.problem, "brak rysunku");
}

TEST(TemplatePlan, APatternTooWideToCountItsTilesIsRefusedNotPlannedEmpty) {
    // Too many tiles for an int along one side, or a width that overflows to infinity: the
    // count stops past any template's size instead of wrapping round to no pages at all.
    EXPECT_GT(tilesToCover(1e17, 180, 10), kMaxTemplatePages);
    EXPECT_GT(tilesToCover(INFINITY, 180, 10), kMaxTemplatePages);
    const Pattern overflowing = patternOf({{LineRole::EndEdge, -1.7e308, 0, 1.7e308, 1}});
    for (const auto& lines :
         {rectangle(0, 0, 1e17, 100), rectangle(0, 0, 100, 1e300), overflowing}) {
        const auto planning = planTemplate(lines, {}, {}, 0);
        EXPECT_FALSE(planning.plan) << planning.plan->pages.size() << " pages";
        EXPECT_EQ(planning.problem, "szablon zajalby ponad 500 stron");
    }
}

TEST(TemplatePlan, TheExactSheetIsStatedOnlyWhenItIsHalfAMillimetreLargerOrMore) {
    // A 100 × 50 sheet whose top edge is the chord of an arc rising `bulge` above it.
    for (const double bulge : {0.1, 0.45, 0.55, 3.0}) {
        SCOPED_TRACE(bulge);
        PatternBuilder b;
        const int sheet = b.newPiece({"arkusz"});
        std::vector<PatternPoint> arc;
        for (int k = 0; k <= 100; ++k) {
            const double t = k / 100.0;
            arc.push_back({100 - 100 * t, 50 + 4 * bulge * t * (1 - t)});
        }
        const int curve = b.exactCurve(LineRole::CutCurve, arc);
        b.line(LineRole::CutCurve, {100, 50}, {0, 50}, {sheet, 0, curve});
        b.polyline(LineRole::EndEdge, {{0, 50}, {0, 0}, {100, 0}, {100, 50}}, {sheet});
        const auto sheets = sheetsLargerThanReported(std::move(b).finish());
        ASSERT_EQ(sheets.size(), bulge >= kExactSheetNoticeMm ? 1u : 0u);
        for (const ExactSheet& sheet : sheets) {
            // The arc is thinned to within the cut's tolerance, its crown with it.
            EXPECT_NEAR(sheet.height - sheet.reportedHeight, bulge, 0.02);
        }
    }
}

} // namespace
} // namespace blachorys::core
