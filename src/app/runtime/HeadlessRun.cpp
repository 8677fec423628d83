#include "app/runtime/HeadlessRun.h"

#include "core/TimeScale.h"
#include "engine/runtime/LocaleDataFileFormat.h"

namespace gw {

HeadlessRun::HeadlessRun(Prompter& prompter, const SystemProfile& profile, int counterChannels)
    : headless_(prompter, logSink_),
      runner_(headless_.console(), headless_.engine(), headless_.sequencer().records(),
              LocaleDataFileFormat()),
      channels_(counterChannels) {
    Console& console = headless_.console();
    console.profile.Profile = profile;
    console.setSystemType(profile.ReaderType);
    console.linkState.SetCounterChannels(counterChannels);
    connect(&reopenTimer_, &QTimer::timeout, this, &HeadlessRun::onReopenTimer);
    connect(&console.ports.reader(), &LinkPort::deviceLost, this, [this] {
        closedFor_.start();
        reopenTimer_.start(TimeScale::TimerMs(ReopenEveryMs));
    });
}

bool HeadlessRun::open(const std::string& port, std::string& problem) {
    HeadlessConsole::Ports ports;
    ports.port = port;
    ports.channels = channels_;
    ports.faults = faults_;
    return headless_.open(ports, problem);
}

bool HeadlessRun::reopenReader() {
    ReaderPort& reader = console().ports.reader();
    if (reader.isOpen()) {
        return true;
    }
    if (!reader.open()) {
        return false;
    }
    console().AppendLog(": reader port " + reader.settings().portName + " open again");
    reopenTimer_.stop();
    return true;
}

void HeadlessRun::onReopenTimer() {
    if (reopenReader()) {
        return;
    }
    if (closedFor_.elapsed() > TimeScale::TimerMs(ReopenLimitMs) && console().runState.RunActive) {
        reopenTimer_.stop();
        console().AppendLog(": the reader port did not come back - the run is aborted");
        runner_.AbortOperation();
    }
}

void HeadlessRun::flushLog() {
    if (console().log().dump().lineCount() > 0) {
        console().log().flushToFile();
    }
}

} // namespace gw
