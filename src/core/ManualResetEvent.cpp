#include "core/ManualResetEvent.h"

namespace gw {

const char* WaitResultName(WaitResult result) {
    switch (result) {
    case WaitResult::Signaled:
        return "signaled";
    case WaitResult::Timeout:
        return "timeout";
    case WaitResult::Abandoned:
        return "abandoned";
    case WaitResult::Error:
        return "error";
    }
    return "error";
}

void ManualResetEvent::Set() {
    {
        std::lock_guard lock(mutex_);
        set_ = true;
    }
    changed_.notify_all();
}

void ManualResetEvent::Reset() {
    std::lock_guard lock(mutex_);
    set_ = false;
}

bool ManualResetEvent::IsSet() const {
    std::lock_guard lock(mutex_);
    return set_;
}

WaitResult ManualResetEvent::WaitFor(std::chrono::microseconds timeout) {
    std::unique_lock lock(mutex_);
    const bool done = changed_.wait_for(lock, timeout, [this] { return set_ || abandoned_; });
    if (abandoned_) {
        return WaitResult::Abandoned;
    }
    return done ? WaitResult::Signaled : WaitResult::Timeout;
}

void ManualResetEvent::Abandon() {
    {
        std::lock_guard lock(mutex_);
        abandoned_ = true;
    }
    changed_.notify_all();
}

} // namespace gw
