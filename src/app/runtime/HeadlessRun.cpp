#include "app/runtime/HeadlessRun.h"

#include "core/Prompter.h"
#include "core/TimeScale.h"
#include "engine/runtime/LocaleDataFileFormat.h"
#include "platform/ParallelPortLampSwitch.h"
#include "sim/runtime/SimulatedReaderBench.h"

namespace gw {

HeadlessRun::HeadlessRun(Prompter& prompter, const SystemProfile& profile, int counterChannels)
    : console_(settings_, prompter, clock_, logSink_), lamp_(ParallelPortLampSwitch::Create()),
      engine_(console_, *lamp_), sequencer_(console_, engine_, LocaleDataFileFormat()),
      runner_(console_, engine_, sequencer_.records(), LocaleDataFileFormat()),
      channels_(counterChannels) {
    console_.profile.Profile = profile;
    console_.setSystemType(profile.ReaderType);
    console_.linkState.SetCounterChannels(counterChannels);
    connect(&reopenTimer_, &QTimer::timeout, this, &HeadlessRun::onReopenTimer);
    connect(&console_.ports.reader(), &LinkPort::deviceLost, this, [this] {
        closedFor_.start();
        reopenTimer_.start(TimeScale::TimerMs(ReopenEveryMs));
    });
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
        options.faults = faults_;
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

int HeadlessRun::simPortLosses() const {
    return simulated_ ? SimulatedReaderBench::shared()->portLosses() : 0;
}

bool HeadlessRun::reopenReader() {
    ReaderPort& reader = console_.ports.reader();
    if (reader.isOpen()) {
        return true;
    }
    if (!reader.open()) {
        return false;
    }
    console_.AppendLog(": reader port " + reader.settings().portName + " open again");
    reopenTimer_.stop();
    return true;
}

void HeadlessRun::onReopenTimer() {
    if (reopenReader()) {
        return;
    }
    if (closedFor_.elapsed() > TimeScale::TimerMs(ReopenLimitMs) && console_.runState.RunActive) {
        reopenTimer_.stop();
        console_.AppendLog(": the reader port did not come back - the run is aborted");
        runner_.AbortOperation();
    }
}

void HeadlessRun::flushLog() {
    const Dump& dump = console_.log().dump();
    if (dump.lineCount() > 0) {
        logSink_.appendText(console_.log().logFilePath(), dump.text());
    }
}

} // namespace gw
