#include "common/core/base/numbertext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace blachorys::core {
namespace {

TEST(FormatFixed, RoundsAsThePrintedDecimalReads) {
    EXPECT_EQ(formatFixed(300.0, 1), "300.0");
    EXPECT_EQ(formatFixed(std::numbers::pi * 300, 1), "942.5");
    EXPECT_EQ(formatFixed(std::numbers::pi * 300, 2), "942.48");
    // 12.25 and 0.15 are stored a hair below their decimal text; a person reads them up.
    EXPECT_EQ(formatFixed(12.25, 1), "12.3");
    EXPECT_EQ(formatFixed(0.15, 1), "0.2");
    EXPECT_EQ(formatFixed(-12.25, 1), "-12.3");
    EXPECT_EQ(formatFixed(2.675, 2), "2.68");
    EXPECT_EQ(formatFixed(9.96, 1), "10.0");
    EXPECT_EQ(formatFixed(0.96, 0), "1");
    EXPECT_EQ(formatFixed(0.0049, 2), "0.00");
    EXPECT_EQ(formatFixed(0.005, 2), "0.01");
    EXPECT_EQ(formatFixed(1e-300, 1), "0.0");
}

TEST(FormatFixed, AHairEitherSideOfTheHalfRoundsByItsOwnDigits) {
    // 2.675 is stored a hair below and read as 2.675, so it rounds up; its neighbours read
    // 2.6749999999999994 and 2.6750000000000003 and round each their own way.
    EXPECT_EQ(formatFixed(2.675, 2), "2.68");
    EXPECT_EQ(formatFixed(std::nextafter(2.675, 0.0), 2), "2.67");
    EXPECT_EQ(formatFixed(std::nextafter(2.675, 3.0), 2), "2.68");
    EXPECT_EQ(formatFixed(-std::nextafter(2.675, 0.0), 2), "-2.67");
    EXPECT_EQ(formatFixed(1234.565, 2), "1234.57");
    EXPECT_EQ(formatFixed(1234.5649, 2), "1234.56");
    EXPECT_EQ(formatFixed(4039.8049999, 2), "4039.80");
    EXPECT_EQ(formatFixed(0.05, 0), "0");
    EXPECT_EQ(formatFixed(0.5, 0), "1");
    EXPECT_EQ(formatFixed(1.0005, 3), "1.001");
}

TEST(FormatFixed, ZeroHasNoSign) {
    EXPECT_EQ(formatFixed(0.0, 1), "0.0");
    EXPECT_EQ(formatFixed(-0.0, 2), "0.00");
    EXPECT_EQ(formatFixed(-0.04, 1), "0.0");
    EXPECT_EQ(formatFixed(-0.05, 1), "-0.1");
}

TEST(FormatFixed, KeepsAtMostNineSignificantDigits) {
    EXPECT_EQ(formatFixed(1000000.0, 1), "1000000.0");
    EXPECT_EQ(formatFixed(12345678.96, 1), "12345679.0");
    EXPECT_EQ(formatFixed(1234567.891, 2), "1234567.89");
    EXPECT_EQ(formatFixed(99999999.96, 1), "100000000.0");
    EXPECT_EQ(formatFixed(1e12, 1), "1000000000000.0");
}

TEST(FormatFixed, RefusesNonFiniteValues) {
    EXPECT_THROW(formatFixed(std::nan(""), 1), std::invalid_argument);
    EXPECT_THROW(formatFixed(INFINITY, 2), std::invalid_argument);
}

TEST(AlignRight, PadsButNeverCuts) {
    EXPECT_EQ(alignRight("0.0", 8), "     0.0");
    EXPECT_EQ(alignRight("1000.0", 8), "  1000.0");
    EXPECT_EQ(alignRight("-120.5", 8), "  -120.5");
    EXPECT_EQ(alignRight("1000000.0", 8), "1000000.0");
    EXPECT_EQ(alignRight("1000", 3), "1000");
    EXPECT_EQ(alignRight("x", 80), std::string(50, ' ') + "x");
}

TEST(TruncateCharacters, CountsCharactersNotBytes) {
    EXPECT_EQ(truncateCharacters("KRÓCCA", 3), "KRÓ");
    EXPECT_EQ(truncateCharacters("abc", 10), "abc");
    EXPECT_EQ(characterCount("[°]"), 3);
}

TEST(ParseReal, AcceptsDotNotationOnly) {
    EXPECT_EQ(parseReal("12.5"), 12.5);
    EXPECT_EQ(parseReal("-12.5"), -12.5);
    EXPECT_EQ(parseReal(".5"), 0.5);
    EXPECT_EQ(parseReal("5."), 5.0);
    EXPECT_EQ(parseReal("1e3"), 1000.0);
    for (const char* text : {"", "-", ".", "5-", "12-3", "1,5", " 5", "5 ", "1e", "abc", "1e999",
                             "nan", "inf", "0x10", "--5"}) {
        EXPECT_FALSE(parseReal(text).has_value()) << text;
    }
}

TEST(ParseInteger, RefusesFractionsAndOverflow) {
    EXPECT_EQ(parseInteger("24"), 24);
    EXPECT_EQ(parseInteger("-3"), -3);
    EXPECT_FALSE(parseInteger("24.5").has_value());
    EXPECT_FALSE(parseInteger("24.0").has_value());
    EXPECT_FALSE(parseInteger("99999999999").has_value());
    EXPECT_FALSE(parseInteger("").has_value());
}

} // namespace
} // namespace blachorys::core
