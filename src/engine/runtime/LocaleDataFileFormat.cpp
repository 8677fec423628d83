#include "engine/runtime/LocaleDataFileFormat.h"

#include "platform/Windows1252.h"

#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace gw {

namespace {

// The long time format without its time zone: the data file gives local wall-clock time.
QString LongTimeWithoutZone(const QLocale& locale) {
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QRegularExpression(QStringLiteral("\\s*t+")));
    return format.trimmed();
}

QDateTime FromDays(double days) {
    const qint64 milliseconds = std::llround(days * 86400000.0);
    // The days are local wall-clock time already: counted without any zone rule.
    const QDateTime epoch(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
    return epoch.addMSecs(milliseconds);
}

} // namespace

DataFileFormat LocaleDataFileFormat() {
    const QLocale locale = QLocale::system();
    const QString dateFormat = locale.dateFormat(QLocale::ShortFormat);
    const QString timeFormat = LongTimeWithoutZone(locale);
    return DataFileFormat(
        ToWindows1252(locale.decimalPoint()), [locale, dateFormat, timeFormat](double days) {
            const QDateTime when = FromDays(days);
            return ToWindows1252(locale.toString(when.date(), dateFormat) + QLatin1Char(' ') +
                                 locale.toString(when.time(), timeFormat));
        });
}

} // namespace gw
