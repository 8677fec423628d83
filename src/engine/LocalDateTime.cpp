#include "engine/LocalDateTime.h"

#include <ctime>

namespace gw {

namespace {
// 1 January 1970 in days since 30 December 1899.
constexpr double UnixEpochDays = 25569.0;
constexpr double SecondsPerDay = 86400.0;
} // namespace

double LocalDateTime(std::chrono::system_clock::time_point when) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    std::tm universal{};
    // Called on the user-interface thread only, so the shared buffers of the C library are safe.
    local = *std::localtime(&seconds);
    universal = *std::gmtime(&seconds);
    universal.tm_isdst = local.tm_isdst;
    const double offset = std::difftime(std::mktime(&local), std::mktime(&universal));
    const auto sinceEpoch = std::chrono::duration<double>(when.time_since_epoch()).count();
    return UnixEpochDays + (sinceEpoch + offset) / SecondsPerDay;
}

double LocalDateTimeNow() {
    return LocalDateTime(std::chrono::system_clock::now());
}

} // namespace gw
