#pragma once

#include "console/Dump.h"

#include <cstddef>
#include <functional>
#include <string>

namespace gw {

class LogClock;
class LogFileSink;
class Prompter;

// How the dump keeps its size. Unlimited: the dump grows until trimmed; at close its text replaces
// the log file. Flushing: every 64000 characters the text moves to the log file, so the file keeps
// the whole session; at close the rest is appended.
enum class LogCapacity { Unlimited, Flushing };

// The console log: the dump, its time stamps, its capacity rules and its log file. Every part of
// the console writes through it, on the user-interface thread only.
class ConsoleLog {
public:
    static constexpr std::size_t FlushLength = 64000;
    static constexpr std::size_t TrimLength = 65000;

    ConsoleLog(const LogClock& clock, LogFileSink& sink);

    // Appends the local time of day followed by the text (by convention beginning with ": ").
    void AppendLog(const std::string& text);
    // Appends a line exactly as given, for the few lines that carry no time stamp.
    void appendLine(const std::string& line);

    // The capacity rules, run after each decoded status reply: under Flushing, 64000 characters or
    // more go to the log file; then, always, the oldest lines go until fewer than 65000 remain.
    void ApplyLogCapacity();

    // The close question and the final write. Returns whether the window may close: false only
    // when the operator wanted the log saved and it could not be written (the dump is then kept).
    bool SaveLogOnClose(Prompter& prompter);

    void setCapacity(LogCapacity capacity) { capacity_ = capacity; }
    LogCapacity capacity() const { return capacity_; }

    // The log file's path is asked for at each write, since the data directory follows the
    // profile.
    void setLogFilePath(std::function<std::string()> path) { logFilePath_ = std::move(path); }
    std::string logFilePath() const;

    // Writes the dump to the log file now and empties it; a headless run does so after every
    // record, so that a run killed in the night keeps its log up to its last record.
    void flushToFile();

    int flushCount() const { return flushCount_; }
    Dump& dump() { return dump_; }
    const Dump& dump() const { return dump_; }

private:
    void trimOldestLines();

    const LogClock& clock_;
    LogFileSink& sink_;
    Dump dump_;
    LogCapacity capacity_ = LogCapacity::Flushing;
    std::function<std::string()> logFilePath_;
    int flushCount_ = 0;
    bool flushFailing_ = false;
};

} // namespace gw
