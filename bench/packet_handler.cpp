#include "console/LogFileSink.h"
#include "console/runtime/Console.h"
#include "core/LogClock.h"
#include "core/MemorySettingsStore.h"
#include "core/ScriptedPrompter.h"
#include "link/StatusReplyEncoder.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace {

// The log file of a long session, kept in memory.
class CountingLogFileSink : public gw::LogFileSink {
public:
    bool appendText(const std::string&, const std::string& text) override {
        written += text.size();
        return true;
    }
    bool replaceText(const std::string&, const std::string& text) override {
        written = text.size();
        return true;
    }
    std::size_t written = 0;
};

void EnsureApplication() {
    static int argc = 1;
    static char name[] = "bench_packet_handler";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
}

// Long 6600 replies as a running TL sends them; busy ones are logged in full.
std::vector<std::string> LongReplies(int channels, bool busy) {
    const gw::ReplyLayout layout = gw::ReplyLayout::For(4, channels);
    std::vector<std::string> replies;
    for (int point = 0; point < 256; ++point) {
        gw::ReaderState state;
        state.PointCounter = point;
        state.StateCode = busy ? 6 : 0;
        state.Position = 12;
        for (int i = 0; i < channels; ++i) {
            state.Counts[static_cast<std::size_t>(i)] = point * 997 + i;
        }
        state.Data = {point, 100, 3, 40, 50, 60, 70, 200};
        state.Flags[gw::BusyFlag] = busy ? 1 : 0;
        state.Timer = point;
        replies.push_back(gw::EncodeStatusReply(state, layout, false));
    }
    return replies;
}

// The whole reply handler without windows: reply event, decoder, log lines, the log's capacity
// rules and an engine hook that does nothing.
void HandleLongReplies(benchmark::State& run) {
    EnsureApplication();
    const int channels = static_cast<int>(run.range(0));
    const bool busy = run.range(1) != 0;
    const std::vector<std::string> replies = LongReplies(channels, busy);
    gw::MemorySettingsStore store;
    gw::ScriptedPrompter prompter;
    gw::FixedLogClock clock{"12:00:00"};
    CountingLogFileSink logFile;
    gw::Console console(store, prompter, clock, logFile);
    console.linkState.SetCounterChannels(channels);
    int steps = 0;
    console.PerReplySteps = [&steps] { ++steps; };
    std::size_t next = 0;
    for (auto _ : run) {
        console.readerReplies().OnReaderPacket(replies[next]);
        next = (next + 1) % replies.size();
    }
    if (steps != static_cast<int>(run.iterations())) {
        run.SkipWithError("a reply was not decoded");
    }
    run.SetItemsProcessed(run.iterations());
    run.counters["logged bytes"] = static_cast<double>(logFile.written);
}
BENCHMARK(HandleLongReplies)
    ->ArgNames({"channels", "busy"})
    ->Args({1, 0})
    ->Args({4, 0})
    ->Args({1, 1})
    ->Args({4, 1});

} // namespace
