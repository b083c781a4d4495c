#pragma once

#include <cstddef>
#include <vector>

namespace blachorys::core {

/** Point size of the printed report's fixed-pitch font. */
inline constexpr int kPrintFontPoints = 10;

/** Line height and lines per page, in printer pixels. */
struct PrintMetrics {
    int lineHeight = 1;
    int linesPerPage = 5;
};

/**
 * The font's height at the printer's vertical resolution, MulDiv(10, dpi, 72), plus 40 % in
 * integer arithmetic; lines per page = page height div line height − 4. A page too small for
 * one line after the heading still takes one, so printing always ends.
 */
PrintMetrics printMetrics(int verticalDpi, int pageHeight);

/** MulDiv as the printer layer computes it: a·b/c rounded half away from zero. */
int mulDiv(int a, int b, int c);

struct PrintedLine {
    int page = 0;          ///< 0-based
    int y = 0;             ///< top of the line, printer pixels
    std::size_t index = 0; ///< into the printed lines (header, then results)
};

/** Where everything of a printout goes. */
struct PrintPlan {
    PrintMetrics metrics;
    int pageCount = 1;
    std::vector<PrintedLine> lines;
    /** Heading band on the first page: x from 20 to the page width, y from LH to 2·LH. */
    int headingLeft = 20;
    int headingTop = 0;
    int headingBottom = 0;
    /** On the last page: the rule, then the date line's band and the maker line's band. */
    int ruleY = 0;
    int dateBandTop = 0;
    int dateBandBottom = 0;
    int makerBandTop = 0;
    int makerBandBottom = 0;
    /** On every page, below the maker line's band: "strona i z n". */
    int pageNumberBandTop = 0;
    int pageNumberBandBottom = 0;
};

/**
 * Lays out `lineCount` lines: the counter starts at 4 on every page, each line is printed at
 * (counter + 1)·LH, and a new page begins after the line printed when the counter reaches the
 * lines per page. The footer is placed from the bottom of the last page.
 */
PrintPlan planPrint(std::size_t lineCount, int verticalDpi, int pageHeight);

} // namespace blachorys::core
