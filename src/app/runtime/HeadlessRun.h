#pragma once

#include "console/LogFileSink.h"
#include "engine/runtime/HeadlessConsole.h"
#include "engine/runtime/ScriptRunner.h"
#include "profile/SystemProfile.h"

#include <string>

namespace gw {

// The console without any window, as gwtool run uses it: the headless console and the script run
// engine, on the simulated reader ("sim") or a serial device. The console log goes to
// GWC_log.txt in the profile's data directory, as the console's does.
class HeadlessRun {
public:
    HeadlessRun(Prompter& prompter, const SystemProfile& profile, int counterChannels);

    // Opens the reader port ("sim" builds the simulated reader of the profile's type with the
    // given counter channels). False, with the reason, when it cannot be opened.
    bool open(const std::string& port, std::string& problem);

    Console& console() { return headless_.console(); }
    MeasurementEngine& engine() { return headless_.engine(); }
    ScriptRunner& runner() { return runner_; }
    RecordKeeper& records() { return headless_.sequencer().records(); }
    // Writes what is left of the console log to its file.
    void flushLog();

private:
    DiskLogFileSink logSink_;
    HeadlessConsole headless_;
    ScriptRunner runner_;
    int channels_ = 1;
};

} // namespace gw
