#pragma once

#include <array>
#include <initializer_list>
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
    /**
     * Some header or result line was longer than its capacity and has been cut: a number in it
     * may be cut short and read as another. Only values far beyond any sheet are that long.
     */
    bool linesCut = false;

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

/** A label and the number that follows it, aligned to 8: "     h=" and 353.6. */
struct LabelledValue {
    std::string_view label;
    double value = 0.0;
};

/** Each label followed by its value aligned to 8: "a : X=     0.0     Y=     0.0". */
std::string labelledValues(std::initializer_list<LabelledValue> values);

/**
 * A numbered point line: the number aligned to 3, then `gap`, then the labelled values:
 * "  0   L=     0.0     h=   353.6" (gap of three spaces, labels "L=" and "     h=").
 */
std::string pointLine(int number, std::string_view gap,
                      std::initializer_list<LabelledValue> values);

/** The sheet size line: width " x " height, one decimal each, not aligned. */
std::string sheetSizeLine(double width, double height);

/**
 * Ends a results section: appends a row of `ruleLength` "-", "Gabaryty arkusza blachy :" and
 * the sheet size line.
 */
void appendSheetSize(std::vector<std::string>& lines, int ruleLength, double width, double height);

} // namespace blachorys::core
