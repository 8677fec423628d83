#include "core/TimeScale.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <limits>

namespace gw {

namespace {

// Read by the data-take thread and the simulated reader, written once at start-up.
std::atomic<double> factor{1.0};

double scaledCount(double nominal) {
    return std::round(nominal * factor.load());
}

} // namespace

bool TimeScale::SetFactor(double value) {
    if (!std::isfinite(value) || value <= 0) {
        return false;
    }
    factor.store(value);
    return true;
}

double TimeScale::Factor() {
    return factor.load();
}

std::chrono::microseconds TimeScale::Scaled(std::chrono::microseconds nominal) {
    if (nominal.count() <= 0) {
        return nominal;
    }
    constexpr double longest = static_cast<double>(std::numeric_limits<std::int64_t>::max() / 2);
    const double scaled =
        std::clamp(scaledCount(static_cast<double>(nominal.count())), 1.0, longest);
    return std::chrono::microseconds(static_cast<std::int64_t>(scaled));
}

int TimeScale::TimerMs(int nominalMs) {
    if (nominalMs <= 0) {
        return nominalMs;
    }
    constexpr double longest = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(scaledCount(nominalMs), 1.0, longest));
}

} // namespace gw
