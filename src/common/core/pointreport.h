#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace blachorys::core {

/** Characters a header or result line holds; a longer line is cut. */
inline constexpr int kReportLineCapacity = 100;
/** Characters a footer line holds. */
inline constexpr int kFooterLineCapacity = 80;

/**
 * A calculation's report: header lines that repeat the inputs, the result lines shown in the
 * memo, and four footer lines common to every calculator. Text is UTF-8; files get it in
 * Windows-1250.
 */
struct PointReport {
    std::vector<std::string> headerLines;
    std::vector<std::string> resultLines;
    std::array<std::string, 4> footerLines;

    /** Header, results and footer in file order. */
    std::vector<std::string> allLines() const;
};

/**
 * Builds a report from a case's header and result lines, cutting each to its capacity, and
 * adds the footer with `dateText` (the day of the calculation, already formatted).
 */
PointReport makePointReport(std::vector<std::string> headerLines,
                            std::vector<std::string> resultLines, std::string_view dateText);

/** A row of `count` copies of `c`. */
std::string repeated(char c, int count);

/**
 * A numbered point line: the number aligned to 3, three spaces, then each label followed by
 * its value aligned to 8: "  0   L=     0.0     h=   353.6".
 */
std::string pointLine(int number, std::string_view firstLabel, double firstValue,
                      std::string_view secondLabel, double secondValue);

/** A labelled pair without number: label, value aligned to 8, label, value aligned to 8. */
std::string labelledPair(std::string_view firstLabel, double firstValue,
                         std::string_view secondLabel, double secondValue);

/** The sheet size line: width " x " height, one decimal each, not aligned. */
std::string sheetSizeLine(double width, double height);

} // namespace blachorys::core
