#include "common/core/sheets/printlayout.h"

#include <gtest/gtest.h>

#include <cmath>

namespace blachorys::core {
namespace {

/** An A4 sheet's height in printer pixels. */
int a4Height(int dpi) {
    return static_cast<int>(std::lround(297.0 / 25.4 * dpi));
}

TEST(MulDiv, RoundsHalvesAwayFromZero) {
    EXPECT_EQ(mulDiv(10, 600, 72), 83);   // 83.33
    EXPECT_EQ(mulDiv(10, 1200, 72), 167); // 166.67
    EXPECT_EQ(mulDiv(10, 72, 72), 10);
    EXPECT_EQ(mulDiv(1, 1, 2), 1);
    EXPECT_EQ(mulDiv(-1, 1, 2), -1);
    EXPECT_EQ(mulDiv(1, -3, 2), -2);
    EXPECT_EQ(mulDiv(-5, -1, 2), 3);
    EXPECT_EQ(mulDiv(100000, 30000, 100000), 30000); // the product needs 64 bits
}

struct MetricsCase {
    int dpi;
    int pageHeight;
    int lineHeight;
    int linesPerPage;
};

class PrintMetricsTable : public ::testing::TestWithParam<MetricsCase> {};

TEST_P(PrintMetricsTable, LineHeightIsTheFontPlusFortyPercent) {
    const auto [dpi, pageHeight, lineHeight, linesPerPage] = GetParam();
    const PrintMetrics metrics = printMetrics(dpi, pageHeight);
    EXPECT_EQ(metrics.lineHeight, lineHeight);
    EXPECT_EQ(metrics.linesPerPage, linesPerPage);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PrintMetricsTable,
    ::testing::Values(MetricsCase{600, 7016, 116, 56},   // 83 + 33; 7016 div 116 = 60
                      MetricsCase{1200, 14031, 233, 56}, // 167 + 66; 14031 div 233 = 60
                      MetricsCase{300, 3508, 58, 56},    // 42 + 16
                      MetricsCase{72, 842, 14, 56},      // 10 + 4
                      MetricsCase{600, 100, 116, 5}));   // no room: one line per page

TEST(PrintPlan, DefaultReportFitsOneA4Page) {
    const int page = a4Height(600);
    ASSERT_EQ(page, 7016);
    const PrintPlan plan = planPrint(37, 600, page);
    EXPECT_EQ(plan.pageCount, 1);
    ASSERT_EQ(plan.lines.size(), 37u);
    EXPECT_EQ(plan.headingTop, 116);
    EXPECT_EQ(plan.headingBottom, 232);
    EXPECT_EQ(plan.headingLeft, 20);
    for (std::size_t i = 0; i < plan.lines.size(); ++i) {
        EXPECT_EQ(plan.lines[i].page, 0);
        EXPECT_EQ(plan.lines[i].index, i);
        EXPECT_EQ(plan.lines[i].y, static_cast<int>(5 + i) * 116);
    }
    // The footer counts from the page's bottom: T = 7016 − 4·116.
    EXPECT_EQ(plan.ruleY, 6548);
    EXPECT_EQ(plan.dateBandTop, 6552);
    EXPECT_EQ(plan.dateBandBottom, 6668);
    EXPECT_EQ(plan.makerBandTop, 6668);
    EXPECT_EQ(plan.makerBandBottom, 6784);
    // The last line ends above the rule.
    EXPECT_LT(plan.lines.back().y + 116, plan.ruleY);
}

TEST(PrintPlan, LongReportBreaksAfterTheLastLineOfEachPage) {
    // N = 2000: 8 header lines and 2005 result lines.
    const PrintPlan plan = planPrint(2013, 600, 7016);
    ASSERT_EQ(plan.lines.size(), 2013u);
    // Counters 5..56: 52 lines a page.
    EXPECT_EQ(plan.lines[51].page, 0);
    EXPECT_EQ(plan.lines[51].y, 56 * 116);
    EXPECT_EQ(plan.lines[52].page, 1);
    EXPECT_EQ(plan.lines[52].y, 5 * 116);
    EXPECT_EQ(plan.lines[103].page, 1);
    EXPECT_EQ(plan.lines[104].page, 2);
    EXPECT_EQ(plan.lines.back().page, 38); // 2013 = 38·52 + 37
    EXPECT_EQ(plan.lines.back().y, (4 + 37) * 116);
    EXPECT_EQ(plan.pageCount, 39);
    for (std::size_t i = 1; i < plan.lines.size(); ++i) {
        const bool samePage = plan.lines[i].page == plan.lines[i - 1].page;
        EXPECT_EQ(plan.lines[i].y, samePage ? plan.lines[i - 1].y + 116 : 5 * 116) << i;
        EXPECT_LE(plan.lines[i].y, 56 * 116) << i;
    }
}

TEST(PrintPlan, FullLastPageLeavesTheFooterAPageOfItsOwn) {
    EXPECT_EQ(planPrint(104, 600, 7016).pageCount, 3);
    EXPECT_EQ(planPrint(103, 600, 7016).pageCount, 2);
    EXPECT_EQ(planPrint(0, 600, 7016).pageCount, 1);
}

TEST(PrintPlan, FooterNeverCoversALineOfTheLastPage) {
    for (std::size_t count = 0; count <= 160; ++count) {
        const PrintPlan plan = planPrint(count, 600, 7016);
        for (const PrintedLine& line : plan.lines) {
            if (line.page == plan.pageCount - 1) {
                EXPECT_LE(line.y + plan.metrics.lineHeight, plan.ruleY) << count;
            }
        }
    }
}

TEST(PrintPlan, TinyPageStillEnds) {
    const PrintPlan plan = planPrint(3, 600, 100);
    ASSERT_EQ(plan.lines.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(plan.lines[i].page, static_cast<int>(i));
        EXPECT_EQ(plan.lines[i].y, 5 * 116);
    }
    EXPECT_EQ(plan.pageCount, 4);
}

} // namespace
} // namespace blachorys::core
