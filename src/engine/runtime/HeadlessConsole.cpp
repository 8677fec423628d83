#include "engine/runtime/HeadlessConsole.h"

#include "core/TimeScale.h"
#include "engine/runtime/LocaleDataFileFormat.h"
#include "platform/ParallelPortLampSwitch.h"
#include "sim/runtime/SimulatedReaderBench.h"

namespace gw {

namespace {

constexpr int System6600 = 4;

} // namespace

HeadlessConsole::HeadlessConsole(Prompter& prompter, LogFileSink& logSink)
    : console_(settings_, prompter, clock_, logSink), lamp_(ParallelPortLampSwitch::Create()),
      engine_(console_, *lamp_), sequencer_(console_, engine_, LocaleDataFileFormat()) {}

HeadlessConsole::~HeadlessConsole() {
    console_.ports.reader().close();
    console_.ports.scanner().close();
    if (simulated_) {
        SimulatedReaderBench::uninstall();
    }
}

bool HeadlessConsole::open(const Ports& ports, std::string& problem) {
    if (ports.port == SimulatedReaderBench::kPortName && !simulated_) {
        SimOptions options;
        options.systemType = console_.SystemType() >= 1 ? console_.SystemType() : System6600;
        options.counterChannels = ports.channels > 0 ? ports.channels : 1;
        options.timeScale = TimeScale::Factor();
        options.hasScanner = ports.scanner || console_.profile.Profile.HasScanner;
        options.faults = ports.faults;
        SimulatedReaderBench::install(options);
        simulated_ = true;
    }
    PortSettings settings = console_.ports.reader().settings();
    settings.portName = ports.port;
    console_.ports.reader().setSettings(settings);
    if (!console_.ports.reader().open()) {
        problem = "the reader port " + ports.port + " cannot be opened";
        return false;
    }
    console_.AppendLog(": reader port " + ports.port + " open");
    if (ports.scanner) {
        settings = console_.ports.scanner().settings();
        settings.portName = ports.port;
        console_.ports.scanner().setSettings(settings);
        if (!console_.ports.scanner().open()) {
            // The scan steps report the missing scanner themselves.
            console_.AppendLog(": the scanner port " + ports.port + " cannot be opened");
        }
    }
    return true;
}

} // namespace gw
