#pragma once

#include "console/LogFileSink.h"
#include "console/runtime/Console.h"
#include "core/LogClock.h"
#include "core/MemorySettingsStore.h"
#include "engine/LampSwitch.h"
#include "engine/runtime/MeasurementEngine.h"
#include "engine/runtime/RecordKeeper.h"
#include "engine/runtime/ScriptRunner.h"
#include "profile/SystemProfile.h"
#include "sim/SimOptions.h"

#include <string>

namespace gw {

// The console without any window, as gwtool run uses it: its state, the measurement engine, the
// record keeper and the script run engine, on the simulated reader ("sim") or a serial device.
// The console log goes to GWC_log.txt in the profile's data directory, as the console's does.
class HeadlessRun {
public:
    HeadlessRun(Prompter& prompter, const SystemProfile& profile, int counterChannels);
    ~HeadlessRun();

    // Opens the reader port ("sim" builds the simulated reader of the profile's type with the
    // given counter channels). False, with the reason, when it cannot be opened.
    bool open(const std::string& port, std::string& problem);

    Console& console() { return console_; }
    MeasurementEngine& engine() { return engine_; }
    ScriptRunner& runner() { return runner_; }
    RecordKeeper& records() { return records_; }
    // Writes what is left of the console log to its file.
    void flushLog();

private:
    // No halogen lamp switch without the console's parallel port.
    class NoLampSwitch : public LampSwitch {
    public:
        bool available() const override { return false; }
        void SelectPortBase(int, std::uint8_t) override {}
        bool LampIsOn() override { return false; }
        void SwitchLamp(bool) override {}
    };

    MemorySettingsStore settings_;
    SystemLogClock clock_;
    DiskLogFileSink logSink_;
    Console console_;
    NoLampSwitch lamp_;
    MeasurementEngine engine_;
    RecordKeeper records_;
    ScriptRunner runner_;
    int channels_ = 1;
    bool simulated_ = false;
};

} // namespace gw
