#pragma once

#include <chrono>

namespace gw {

// The one place where every delay and time-out of the link, the engine and the simulated reader
// is scaled: the 3 s start, the 2 s pauses, the 60 s positioning wait, the recovery timer...
// The factor is process-wide (--time-scale, default 1); tests and demonstrations run faster.
class TimeScale {
public:
    // Sets the factor; values that are not greater than 0 or not finite are refused (false).
    static bool SetFactor(double factor);
    static double Factor();

    // A nominal delay as it is to be waited now. A positive delay never becomes zero.
    static std::chrono::microseconds Scaled(std::chrono::microseconds nominal);
    // A nominal timer interval in whole milliseconds, at least 1 for a positive interval.
    static int TimerMs(int nominalMs);
};

// Sets the factor for the life of a scope and restores the old one; for tests.
class ScopedTimeScale {
public:
    explicit ScopedTimeScale(double factor) : previous_(TimeScale::Factor()) {
        TimeScale::SetFactor(factor);
    }
    ~ScopedTimeScale() { TimeScale::SetFactor(previous_); }
    ScopedTimeScale(const ScopedTimeScale&) = delete;
    ScopedTimeScale& operator=(const ScopedTimeScale&) = delete;

private:
    double previous_;
};

} // namespace gw
