#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace gw {

// The outcome of a wait, with the numbers the data-take thread logs by name.
enum class WaitResult { Signaled = 0, Timeout = 1, Abandoned = 2, Error = 3 };

// The name a wait result is logged by: "signaled", "timeout", "abandoned", "error".
const char* WaitResultName(WaitResult result);

// An event that stays set until reset, shared by the user-interface thread and the data-take
// thread. Abandoning it (when the console goes away) releases every waiter for good.
class ManualResetEvent {
public:
    explicit ManualResetEvent(bool initiallySet = false) : set_(initiallySet) {}
    ManualResetEvent(const ManualResetEvent&) = delete;
    ManualResetEvent& operator=(const ManualResetEvent&) = delete;

    void Set();
    void Reset();
    bool IsSet() const;

    // Waits until the event is set or the time is up.
    WaitResult WaitFor(std::chrono::microseconds timeout);
    // Releases all waiters with Abandoned, now and in future.
    void Abandon();

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool set_;
    bool abandoned_ = false;
};

} // namespace gw
