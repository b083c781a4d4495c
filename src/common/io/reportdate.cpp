#include "common/io/reportdate.h"

#include <QRegularExpression>

namespace blachorys::io {

QString dashedShortDateFormat(const QLocale& locale) {
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    QString dashed;
    bool inQuote = false;
    for (const QChar c : format) {
        if (c == u'\'') {
            inQuote = !inQuote;
            continue;
        }
        // Quoted literal text ("'г.'") is a separator too.
        if (!inQuote && (c == u'd' || c == u'M' || c == u'y')) {
            dashed += c;
        } else if (!dashed.isEmpty() && !dashed.endsWith(u'-')) {
            dashed += u'-';
        }
    }
    while (dashed.endsWith(u'-')) {
        dashed.chop(1);
    }
    // The date stays numeric: a month name ("d MMM yyyy" of the C locale) becomes its number.
    dashed.replace(QRegularExpression(QStringLiteral("M{3,}")), QStringLiteral("MM"));
    return dashed.isEmpty() ? QStringLiteral("dd-MM-yyyy") : dashed;
}

QString reportDateText(const QDate& date, const QLocale& locale) {
    return locale.toString(date, dashedShortDateFormat(locale));
}

} // namespace blachorys::io
