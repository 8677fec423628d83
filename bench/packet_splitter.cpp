#include "link/LinkSetup.h"
#include "link/PacketSplitter.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

// A reader at its fastest sends a status line every few milliseconds; splitting must cost nothing
// next to that, even when a read hands over one byte at a time.
std::string sevenBitStream(int lines) {
    std::string stream;
    for (int i = 0; i < lines; ++i) {
        stream += "0012 0000 0003 0000 0000 00001234 00000000 00000000 00000000\r";
    }
    return stream;
}

std::string eightBitStream(int frames) {
    const std::string contents(40, '\x11');
    std::string frame =
        "\x02" + std::string(1, static_cast<char>(contents.size() + 3)) + contents + "\x03";
    std::string stream;
    for (int i = 0; i < frames; ++i) {
        stream += frame;
    }
    return stream;
}

void splitInReads(benchmark::State& state, const gw::SplitterConfig& config,
                  const std::string& stream) {
    const auto readSize = static_cast<std::size_t>(state.range(0));
    std::size_t packets = 0;
    for (auto _ : state) {
        gw::PacketSplitter splitter(config);
        splitter.setPacketHandler([&](const std::string&) { ++packets; });
        for (std::size_t at = 0; at < stream.size(); at += readSize) {
            splitter.feed(std::string_view(stream).substr(at, readSize));
        }
    }
    benchmark::DoNotOptimize(packets);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * stream.size()));
}

void BM_SevenBitLines(benchmark::State& state) {
    splitInReads(state, gw::link_setup::readerSplitter(false), sevenBitStream(1000));
}
BENCHMARK(BM_SevenBitLines)->Arg(1)->Arg(64)->Arg(4096);

void BM_EightBitFrames(benchmark::State& state) {
    splitInReads(state, gw::link_setup::readerSplitter(true), eightBitStream(1000));
}
BENCHMARK(BM_EightBitFrames)->Arg(1)->Arg(64)->Arg(4096);

// A line that never ends is searched once, not again at every byte.
void BM_LineWithoutStop(benchmark::State& state) {
    splitInReads(state, gw::link_setup::readerSplitter(false), std::string(100000, 'x'));
}
BENCHMARK(BM_LineWithoutStop)->Arg(1);

} // namespace
