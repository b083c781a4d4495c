#include "common/core/base/numbertext.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string_view>

namespace blachorys::core {
namespace {

/** Significant digits kept in a report or DXF number. */
constexpr int kMaxSignificantDigits = 9;
/** Alignment never puts more spaces than this in front of a text. */
constexpr int kMaxAlignmentPadding = 50;

/** A non-negative decimal: digits × 10^(pointPosition − count). */
struct DecimalDigits {
    std::array<char, 24> digits{};
    std::size_t count = 0;
    int pointPosition = 0;
};

/** The shortest digits that read back as `magnitude` (which is finite and positive). */
DecimalDigits shortestDigits(double magnitude) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                      std::chars_format::scientific);
    DecimalDigits decimal;
    const char* at = buffer.data();
    for (; at != result.ptr && *at != 'e'; ++at) {
        if (*at != '.') {
            decimal.digits[decimal.count++] = *at;
        }
    }
    // "e+05", "e-12": the exponent's sign and digits.
    const bool negativeExponent = at + 1 < result.ptr && at[1] == '-';
    int exponent = 0;
    std::from_chars(at + 2, result.ptr, exponent);
    decimal.pointPosition = (negativeExponent ? -exponent : exponent) + 1;
    return decimal;
}

/** Adds one to a string of decimal digits. */
void incrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

/** The powers of ten the quick path scales by: up to three decimals. */
constexpr std::array<double, 4> kQuickScales{1.0, 10.0, 100.0, 1000.0};
/** A scaled value below this has at most eight digits: the nine-digit limit does not apply. */
constexpr double kQuickLimit = 1e8;

/**
 * The digits of magnitude × 10^decimals rounded half up, straight from the product, where that
 * is certainly what the shortest decimal text rounds to: the text lies within half an ulp of
 * the magnitude and the product within half an ulp of its own, so a product further than
 * 8 ulp from a rounding boundary rounds as the text does. Nothing where the digits must decide.
 */
std::optional<std::uint64_t> quickScaled(double magnitude, int decimals) {
    if (decimals < 0 || decimals >= static_cast<int>(kQuickScales.size())) {
        return std::nullopt;
    }
    const double scaled = magnitude * kQuickScales[static_cast<std::size_t>(decimals)];
    if (!(scaled < kQuickLimit)) {
        return std::nullopt;
    }
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    const double margin = 8 * std::numeric_limits<double>::epsilon() * std::max(scaled, 1.0);
    if (std::fabs(fraction - 0.5) <= margin) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1U : 0U);
}

/** Digits of magnitude × 10^decimals as a whole number, from its shortest decimal text. */
std::string scaledDigits(double magnitude, int decimals) {
    std::string scaled;
    if (magnitude == 0.0) {
        return scaled;
    }
    const DecimalDigits decimal = shortestDigits(magnitude);
    const int keep = std::min(decimal.pointPosition + decimals, kMaxSignificantDigits);
    if (keep >= 0) {
        const auto kept = static_cast<std::size_t>(keep);
        scaled.assign(decimal.digits.data(), std::min(kept, decimal.count));
        scaled.append(kept - scaled.size(), '0');
        if (kept < decimal.count && decimal.digits[kept] >= '5') {
            // A carry out of the top ("99" + 1 = "100") keeps the same unit, so the value
            // stays right with one digit more.
            incrementDigits(scaled);
        }
        // The unit of the last kept digit is 10^(pointPosition − keep).
        scaled.append(static_cast<std::size_t>(decimal.pointPosition - keep + decimals), '0');
    }
    return scaled;
}

/**
 * Appends the decimal text of `digits` × 10^−fractionDigits: its leading zeros dropped, a "0"
 * before the point where nothing else stands there, no minus sign on a zero.
 */
void appendScaled(std::string& text, bool negative, std::string_view digits,
                  std::size_t fractionDigits) {
    digits.remove_prefix(std::min(digits.find_first_not_of('0'), digits.size()));
    if (negative && !digits.empty()) {
        text += '-';
    }
    if (digits.size() <= fractionDigits) {
        text += '0';
        if (fractionDigits > 0) {
            text += '.';
            text.append(fractionDigits - digits.size(), '0');
            text.append(digits);
        }
        return;
    }
    const std::size_t wholeDigits = digits.size() - fractionDigits;
    text.append(digits.substr(0, wholeDigits));
    if (fractionDigits > 0) {
        text += '.';
        text.append(digits.substr(wholeDigits));
    }
}

} // namespace

void appendFixed(std::string& text, double value, int decimals) {
    if (!std::isfinite(value)) {
        throw std::invalid_argument("formatFixed: the value is not finite");
    }
    const bool negative = std::signbit(value);
    const double magnitude = std::fabs(value);
    const auto fractionDigits = static_cast<std::size_t>(decimals);
    // Most numbers take the quick path: their digits straight from the scaled value, with no
    // string of their own.
    if (const std::optional<std::uint64_t> quick = quickScaled(magnitude, decimals)) {
        std::array<char, 24> buffer{};
        const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), *quick).ptr;
        appendScaled(text, negative,
                     std::string_view(buffer.data(), static_cast<std::size_t>(end - buffer.data())),
                     fractionDigits);
        return;
    }
    appendScaled(text, negative, scaledDigits(magnitude, decimals), fractionDigits);
}

std::string formatFixed(double value, int decimals) {
    std::string text;
    appendFixed(text, value, decimals);
    return text;
}

std::string sheetSizeText(double width, double height) {
    return formatReport(width) + " x " + formatReport(height);
}

std::string repeated(char c, int count) {
    return std::string(static_cast<std::size_t>(count > 0 ? count : 0), c);
}

int characterCount(std::string_view text) {
    int count = 0;
    for (char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0U) != 0x80U) {
            ++count;
        }
    }
    return count;
}

std::string alignRight(std::string_view text, int width) {
    const int padding = std::clamp(width - characterCount(text), 0, kMaxAlignmentPadding);
    return std::string(static_cast<std::size_t>(padding), ' ') + std::string(text);
}

std::string truncateCharacters(std::string_view text, int maxCharacters) {
    int count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0U) != 0x80U) {
            if (count == maxCharacters) {
                return std::string(text.substr(0, i));
            }
            ++count;
        }
    }
    return std::string(text);
}

std::optional<double> parseReal(std::string_view text) {
    std::size_t at = 0;
    auto digitsFrom = [&](std::size_t from) {
        std::size_t end = from;
        while (end < text.size() && text[end] >= '0' && text[end] <= '9') {
            ++end;
        }
        return end - from;
    };
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        ++at;
    }
    std::size_t mantissaDigits = digitsFrom(at);
    at += mantissaDigits;
    if (at < text.size() && text[at] == '.') {
        ++at;
        const std::size_t fraction = digitsFrom(at);
        at += fraction;
        mantissaDigits += fraction;
    }
    if (mantissaDigits == 0) {
        return std::nullopt;
    }
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
            ++at;
        }
        const std::size_t exponentDigits = digitsFrom(at);
        if (exponentDigits == 0) {
            return std::nullopt;
        }
        at += exponentDigits;
    }
    if (at != text.size()) {
        return std::nullopt;
    }
    // from_chars refuses a leading "+"; the syntax is already checked above.
    const std::string_view number = text.front() == '+' ? text.substr(1) : text;
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec != std::errc() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<int> parseInteger(std::string_view text) {
    const std::string_view digits =
        (!text.empty() && (text.front() == '+' || text.front() == '-')) ? text.substr(1) : text;
    if (digits.empty() ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    long long value = 0;
    const std::string_view number = text.front() == '+' ? text.substr(1) : text;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec != std::errc() || value < std::numeric_limits<int>::min() ||
        value > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

} // namespace blachorys::core
