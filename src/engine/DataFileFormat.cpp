#include "engine/DataFileFormat.h"

#include <chrono>
#include <cmath>
#include <cstdio>

namespace gw {

DataFileFormat::DataFileFormat(std::string decimalSeparator, DateTimeText dateTime)
    : separator_(std::move(decimalSeparator)), dateTime_(std::move(dateTime)) {}

std::string DataFileFormat::fixed(double value, int width, int decimals) const {
    char text[64];
    std::snprintf(text, sizeof text, "%*.*f", width, decimals, value);
    std::string result(text);
    if (separator_ != ".") {
        if (const auto point = result.find('.'); point != std::string::npos) {
            result.replace(point, 1, separator_);
        }
    }
    return result;
}

std::string DataFileFormat::dateTime(double days) const {
    return dateTime_ ? dateTime_(days) : NumericDateTime(days);
}

std::string NumericDateTime(double days) {
    using namespace std::chrono;
    // Days since 30 December 1899 (the record's date-time) to a civil date.
    const auto totalSeconds = static_cast<long long>(std::llround(days * 86400.0));
    const long long dayCount =
        totalSeconds >= 0 ? totalSeconds / 86400 : (totalSeconds - 86399) / 86400;
    const long long secondOfDay = totalSeconds - dayCount * 86400;
    const year_month_day date{sys_days{year{1899} / December / 30} + std::chrono::days{dayCount}};
    char text[64];
    std::snprintf(text, sizeof text, "%02u.%02u.%04d %02lld:%02lld:%02lld", unsigned(date.day()),
                  unsigned(date.month()), int(date.year()), secondOfDay / 3600,
                  secondOfDay / 60 % 60, secondOfDay % 60);
    return text;
}

} // namespace gw
