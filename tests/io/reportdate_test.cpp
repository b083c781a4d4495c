#include "common/io/reportdate.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace blachorys::io {
namespace {

const QDate kDay(2026, 12, 8);

TEST(ReportDate, PolishDotsBecomeDashes) {
    // Qt's Polish data has had both a padded and an unpadded day.
    const QLocale polish(QLocale::Polish);
    const QString format = polish.dateFormat(QLocale::ShortFormat);
    ASSERT_TRUE(format == "dd.MM.yyyy" || format == "d.MM.yyyy") << format.toStdString();
    const bool padded = format.startsWith("dd");
    EXPECT_EQ(dashedShortDateFormat(polish), padded ? "dd-MM-yyyy" : "d-MM-yyyy");
    EXPECT_EQ(reportDateText(kDay, polish), padded ? "08-12-2026" : "8-12-2026");
    EXPECT_EQ(reportDateText(QDate(2026, 3, 15), polish), "15-03-2026");
}

TEST(ReportDate, MonthNamesBecomeNumbers) {
    ASSERT_EQ(QLocale::c().dateFormat(QLocale::ShortFormat), "d MMM yyyy");
    EXPECT_EQ(dashedShortDateFormat(QLocale::c()), "d-MM-yyyy");
    EXPECT_EQ(reportDateText(kDay, QLocale::c()), "8-12-2026");
}

TEST(ReportDate, OtherLocalesKeepTheirOrderAndFieldWidths) {
    const QLocale american(QLocale::English, QLocale::UnitedStates);
    ASSERT_EQ(american.dateFormat(QLocale::ShortFormat), "M/d/yy");
    EXPECT_EQ(dashedShortDateFormat(american), "M-d-yy");
    EXPECT_EQ(reportDateText(kDay, american), "12-8-26");
    const QLocale german(QLocale::German, QLocale::Germany);
    ASSERT_EQ(german.dateFormat(QLocale::ShortFormat), "dd.MM.yy");
    EXPECT_EQ(reportDateText(kDay, german), "08-12-26");
    const QLocale iso(QLocale::Swedish, QLocale::Sweden);
    ASSERT_EQ(iso.dateFormat(QLocale::ShortFormat), "yyyy-MM-dd");
    EXPECT_EQ(reportDateText(kDay, iso), "2026-12-08");
}

TEST(ReportDate, QuotedTextIsASeparatorToo) {
    // Bulgarian's short format ends in a quoted "г." (year); Qt's data decides whether it does.
    const QLocale bulgarian(QLocale::Bulgarian);
    const QString format = bulgarian.dateFormat(QLocale::ShortFormat);
    if (!format.contains(u'\'')) {
        GTEST_SKIP() << "no quoted text in this Qt's Bulgarian format: " << format.toStdString();
    }
    EXPECT_EQ(format, "d.MM.yy 'г'.");
    EXPECT_EQ(dashedShortDateFormat(bulgarian), "d-MM-yy");
    EXPECT_EQ(reportDateText(kDay, bulgarian), "8-12-26");
}

TEST(ReportDate, EveryLocaleGivesDigitsAndDashesOnly) {
    const QRegularExpression digitsAndDashes(QStringLiteral("^[0-9]+-[0-9]+-[0-9]+$"));
    for (const QLocale& locale : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                          QLocale::AnyTerritory)) {
        const QString format = dashedShortDateFormat(locale);
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^(d{1,2}|M{1,2}|y{2}|y{4})-(d{1,2}|M{1,2}|y{"
                                                      "2}|y{4})-(d{1,2}|M{1,2}|y{2}|y{4})$"))
                        .match(format)
                        .hasMatch())
            << locale.name().toStdString() << ": " << format.toStdString();
        // Digits in the locale's own script are allowed; what matters is the separator.
        const QString text = reportDateText(kDay, locale);
        EXPECT_EQ(text.count(u'-'), 2) << locale.name().toStdString() << ": " << text.toStdString();
        if (locale.zeroDigit() == QStringLiteral("0")) {
            EXPECT_TRUE(digitsAndDashes.match(text).hasMatch())
                << locale.name().toStdString() << ": " << text.toStdString();
        }
    }
}

} // namespace
} // namespace blachorys::io
