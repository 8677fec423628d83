#pragma once

#include "console/runtime/Console.h"
#include "core/LogClock.h"
#include "core/MemorySettingsStore.h"
#include "engine/LampSwitch.h"
#include "engine/runtime/MeasurementEngine.h"
#include "engine/runtime/OperationSequencer.h"
#include "sim/SimOptions.h"

#include <memory>
#include <string>

namespace gw {

class Prompter;

// The console without any window, as gwtool uses it: its state, the measurement engine and the
// sequencer with its record keeper, on the simulated reader ("sim") or a serial device. One
// assembly serves single measurements and script runs alike.
class HeadlessConsole {
public:
    struct Ports {
        std::string port = "sim"; // "sim": the in-process simulated reader
        int channels = 1;         // counter channels of the simulated reader
        bool scanner = false;     // open the laser scanner on the same port name too
        SimFaults faults;         // what the simulated reader's fault injection does
    };

    // The console log goes to the sink (Console::NoLogFile() for none).
    HeadlessConsole(Prompter& prompter, LogFileSink& logSink);
    ~HeadlessConsole();
    HeadlessConsole(const HeadlessConsole&) = delete;
    HeadlessConsole& operator=(const HeadlessConsole&) = delete;

    // Opens the reader port (and the scanner's, when asked); "sim" builds the simulated reader of
    // the console's reader type at the present time scale. False, with the reason, when a port
    // cannot be opened.
    bool open(const Ports& ports, std::string& problem);

    Console& console() { return console_; }
    MemorySettingsStore& settings() { return settings_; }
    MeasurementEngine& engine() { return engine_; }
    OperationSequencer& sequencer() { return sequencer_; }

private:
    MemorySettingsStore settings_;
    SystemLogClock clock_;
    Console console_;
    std::unique_ptr<LampSwitch> lamp_;
    MeasurementEngine engine_;
    // Single measurements and script steps keep their unwritten records in one place.
    OperationSequencer sequencer_;
    bool simulated_ = false;
};

} // namespace gw
