#include "link/ReaderPacket.h"
#include "link/StatusReplyDecoder.h"
#include "link/StatusReplyEncoder.h"

#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace {

// A spread of long 6600 replies, as a running TL would send them.
std::vector<std::string> LongReplies(int channels) {
    const gw::ReplyLayout layout = gw::ReplyLayout::For(4, channels);
    std::vector<std::string> replies;
    for (int point = 0; point < 256; ++point) {
        gw::ReaderState state;
        state.PointCounter = point;
        state.StateCode = 6;
        state.Position = 12;
        for (int i = 0; i < channels; ++i) {
            state.Counts[static_cast<std::size_t>(i)] = point * 997 + i;
        }
        state.Data = {point, 100, 3, 40, 50, 60, 70, 200};
        state.Flags[21] = 1;
        state.Timer = point;
        replies.push_back(gw::EncodeStatusReply(state, layout, false));
    }
    return replies;
}

void DecodeLongReplies(benchmark::State& run) {
    const int channels = static_cast<int>(run.range(0));
    const std::vector<std::string> replies = LongReplies(channels);
    gw::ReaderLinkState link;
    link.SetCounterChannels(channels);
    gw::ReaderState state;
    std::size_t next = 0;
    for (auto _ : run) {
        const bool ok = gw::DecodeStatusReply(replies[next], link, state);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(state);
        next = (next + 1) % replies.size();
    }
    run.SetItemsProcessed(run.iterations());
}
BENCHMARK(DecodeLongReplies)->Arg(1)->Arg(4);

// The packet classification around the decoder (log lines for the busy reader included).
void InterpretLongPackets(benchmark::State& run) {
    const std::vector<std::string> replies = LongReplies(1);
    gw::ReaderLinkState link;
    gw::ReaderState state;
    std::size_t next = 0;
    for (auto _ : run) {
        gw::PacketOutcome outcome = gw::InterpretReaderPacket(replies[next], false, link, state);
        benchmark::DoNotOptimize(outcome);
        next = (next + 1) % replies.size();
    }
    run.SetItemsProcessed(run.iterations());
}
BENCHMARK(InterpretLongPackets);

} // namespace
