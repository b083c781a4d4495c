#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

namespace blachorys::io {

/**
 * The footer's date in the user's short date format (the default locale's) with "-" between
 * day, month and year whatever separator the locale uses, and the month always a number:
 * 08-12-2026 for a "dd.MM.yyyy" format.
 */
QString reportDateText(const QDate& date, const QLocale& locale = QLocale());

/** The short date format of `locale` with every separator made "-" and month names numbers. */
QString dashedShortDateFormat(const QLocale& locale);

} // namespace blachorys::io
