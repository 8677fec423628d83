#include "app/runtime/HeadlessRun.h"

#include "core/Prompter.h"
#include "core/TimeScale.h"
#include "engine/DataFileFormat.h"
#include "sim/runtime/SimulatedReaderBench.h"

namespace gw {

HeadlessRun::HeadlessRun(Prompter& prompter, const SystemProfile& profile, int counterChannels)
    : console_(settings_, prompter, clock_, logSink_), engine_(console_, lamp_), records_(console_),
      runner_(console_, engine_, records_, DataFileFormat()), channels_(counterChannels) {
    console_.profile.Profile = profile;
    console_.setSystemType(profile.ReaderType);
    console_.linkState.SetCounterChannels(counterChannels);
}

HeadlessRun::~HeadlessRun() {
    console_.ports.reader().close();
    if (simulated_) {
        SimulatedReaderBench::uninstall();
    }
}

bool HeadlessRun::open(const std::string& port, std::string& problem) {
    if (port == SimulatedReaderBench::kPortName) {
        SimOptions options;
        options.systemType = console_.profile.Profile.ReaderType;
        options.counterChannels = channels_;
        options.timeScale = TimeScale::Factor();
        SimulatedReaderBench::install(options);
        simulated_ = true;
    }
    PortSettings settings = console_.ports.reader().settings();
    settings.portName = port;
    console_.ports.reader().setSettings(settings);
    if (!console_.ports.reader().open()) {
        problem = "cannot open the reader port " + port;
        return false;
    }
    console_.AppendLog(": reader port " + port + " open");
    return true;
}

void HeadlessRun::flushLog() {
    const Dump& dump = console_.log().dump();
    if (dump.lineCount() > 0) {
        logSink_.appendText(console_.log().logFilePath(), dump.text());
    }
}

} // namespace gw
