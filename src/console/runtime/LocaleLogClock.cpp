#include "console/runtime/LocaleLogClock.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTime>

namespace gw {

LocaleLogClock::LocaleLogClock() {
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    // "t" (and "tt", "ttt", "tttt") is the time zone; the log shows the time of day only.
    static const QRegularExpression zone(QStringLiteral("\\s*\\bt+\\b\\s*"));
    format.replace(zone, QStringLiteral(" "));
    format_ = format.trimmed();
    if (format_.isEmpty()) {
        format_ = QStringLiteral("HH:mm:ss");
    }
}

std::string LocaleLogClock::timeOfDay() const {
    return QLocale::system().toString(QTime::currentTime(), format_).toStdString();
}

} // namespace gw
