#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

namespace blachorys::io {

/**
 * The footer's date: the locale's short date format with "-" between day, month and year,
 * whatever separator the locale uses («08-12-2026» for Polish).
 */
QString reportDateText(const QDate& date, const QLocale& locale = QLocale::system());

/** The short date format of `locale` with every separator made "-". */
QString dashedShortDateFormat(const QLocale& locale);

} // namespace blachorys::io
