#include "core/LogClock.h"

#include <chrono>
#include <ctime>

namespace gw {

std::string SystemLogClock::timeOfDay() const {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    // The log is written on the user-interface thread only, so the shared buffer of localtime is
    // not contended.
    const std::tm* local = std::localtime(&now);
    char text[16] = {};
    if (local == nullptr || std::strftime(text, sizeof text, "%H:%M:%S", local) == 0) {
        return "??:??:??";
    }
    return text;
}

} // namespace gw
