#include "common/core/sheets/printlayout.h"

#include <cstdint>
#include <cstdlib>

namespace blachorys::core {
namespace {

/** The counter of printed lines starts here on every page (heading and a gap above). */
constexpr int kFirstLineCounter = 4;
/** Lines kept free at the bottom of a page for the footer. */
constexpr int kFooterLines = 4;

} // namespace

int mulDiv(int a, int b, int c) {
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t half = std::llabs(c) / 2;
    const std::int64_t rounded = (product >= 0) == (c >= 0)
                                     ? (std::llabs(product) + half) / std::llabs(c)
                                     : -((std::llabs(product) + half) / std::llabs(c));
    return static_cast<int>(rounded);
}

PrintMetrics printMetrics(int verticalDpi, int pageHeight) {
    const int fontHeight = std::abs(mulDiv(kPrintFontPoints, verticalDpi, 72));
    PrintMetrics metrics;
    metrics.lineHeight = fontHeight + (4 * fontHeight) / 10;
    if (metrics.lineHeight < 1) {
        metrics.lineHeight = 1;
    }
    metrics.linesPerPage = pageHeight / metrics.lineHeight - kFooterLines;
    if (metrics.linesPerPage <= kFirstLineCounter) {
        metrics.linesPerPage = kFirstLineCounter + 1;
    }
    return metrics;
}

PrintPlan planPrint(std::size_t lineCount, int verticalDpi, int pageHeight) {
    PrintPlan plan;
    plan.metrics = printMetrics(verticalDpi, pageHeight);
    const int lh = plan.metrics.lineHeight;
    plan.headingTop = lh;
    plan.headingBottom = 2 * lh;

    int page = 0;
    int counter = kFirstLineCounter;
    for (std::size_t index = 0; index < lineCount; ++index) {
        ++counter;
        plan.lines.push_back({page, counter * lh, index});
        if (counter == plan.metrics.linesPerPage) {
            ++page;
            counter = kFirstLineCounter;
        }
    }
    // A page break after the very last line opens a page of its own, which then holds only
    // the footer, as the printer layer would print it.
    plan.pageCount = page + 1;

    const int footerTop = pageHeight - 4 * lh;
    plan.ruleY = footerTop - 4;
    plan.dateBandTop = footerTop;
    plan.dateBandBottom = footerTop + lh;
    plan.makerBandTop = pageHeight - 3 * lh;
    plan.makerBandBottom = pageHeight - 2 * lh;
    plan.pageNumberBandTop = plan.makerBandBottom;
    plan.pageNumberBandBottom = pageHeight - lh;
    return plan;
}

} // namespace blachorys::core
