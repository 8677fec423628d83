#include "app/runtime/HeadlessRun.h"

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
}

bool HeadlessRun::open(const std::string& port, std::string& problem) {
    HeadlessConsole::Ports ports;
    ports.port = port;
    ports.channels = channels_;
    return headless_.open(ports, problem);
}

void HeadlessRun::flushLog() {
    const Dump& dump = console().log().dump();
    if (dump.lineCount() > 0) {
        logSink_.appendText(console().log().logFilePath(), dump.text());
    }
}

} // namespace gw
