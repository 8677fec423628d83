#pragma once

#include "core/LogClock.h"

#include <QString>

namespace gw {

// The local time of day in the operator's long time format, without the time zone.
class LocaleLogClock : public LogClock {
public:
    LocaleLogClock();
    std::string timeOfDay() const override;

    // The format used: the locale's long time format with every time-zone field taken out.
    const QString& format() const { return format_; }

private:
    QString format_;
};

} // namespace gw
