#pragma once

#include <chrono>

namespace gw {

// A local date and time as the records keep it: days since 30 December 1899, the time of day as
// the fraction.
double LocalDateTime(std::chrono::system_clock::time_point when);
double LocalDateTimeNow();

} // namespace gw
