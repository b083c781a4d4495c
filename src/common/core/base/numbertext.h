#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace blachorys::core {

/** Decimals of a report number ("942.5"). */
inline constexpr int kReportDecimals = 1;
/** Decimals of a DXF coordinate ("942.48"). */
inline constexpr int kDxfDecimals = 2;

/**
 * Fixed-point text with exactly `decimals` decimals and "." as the point.
 *
 * The number is rounded as a person reads it: the shortest decimal text that reads back as
 * the same double is rounded half away from zero, so a typed 12.25 prints 12.3 even though
 * the double lies just below it. At most nine significant digits are kept. A value that
 * rounds to zero prints without a minus sign. The value must be finite.
 */
std::string formatFixed(double value, int decimals);
/** `formatFixed`'s text appended to `text`, with no string of its own. */
void appendFixed(std::string& text, double value, int decimals);

/** Report number: one decimal. */
inline std::string formatReport(double value) {
    return formatFixed(value, kReportDecimals);
}

/** Right-aligns `text` to `width` characters with leading spaces; never cuts, pads at most 50. */
std::string alignRight(std::string_view text, int width);

/** A sheet's size: width " x " height, one decimal each, not aligned. */
std::string sheetSizeText(double width, double height);

/** A row of `count` copies of `c`. */
std::string repeated(char c, int count);

/** Number of characters (UTF-8 code points) in `text`. */
int characterCount(std::string_view text);

/** `text` cut to at most `maxCharacters` characters, never inside a UTF-8 sequence. */
std::string truncateCharacters(std::string_view text, int maxCharacters);

/**
 * Reads a real number in "." notation: optional sign, digits with at most one ".", an optional
 * exponent. No spaces. Empty text, anything else, and values that overflow are refused.
 */
std::optional<double> parseReal(std::string_view text);

/** Reads a whole number: optional sign and digits only, within the range of int. */
std::optional<int> parseInteger(std::string_view text);

} // namespace blachorys::core
