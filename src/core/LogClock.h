#pragma once

#include <string>

namespace gw {

// Gives the local time of day in the form the console log shows it. The console uses the
// operator's time format; tests pin a fixed text.
class LogClock {
public:
    virtual ~LogClock() = default;
    virtual std::string timeOfDay() const = 0;
};

// Local time as "HH:MM:SS", from the standard library alone.
class SystemLogClock : public LogClock {
public:
    std::string timeOfDay() const override;
};

// Always the same text; for tests and replays.
class FixedLogClock : public LogClock {
public:
    explicit FixedLogClock(std::string text) : text_(std::move(text)) {}
    std::string timeOfDay() const override { return text_; }
    void set(std::string text) { text_ = std::move(text); }

private:
    std::string text_;
};

} // namespace gw
