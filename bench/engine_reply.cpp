// The console's work per status reply without windows: the packet decoded into the reader state,
// then the engine's per-reply steps with TakeDatum filing the point. Items are replies; the
// fastest serial line carries some 600 a second.
#include "BenchReplies.h"
#include "engine/Acquisition.h"
#include "engine/LiveGraphView.h"
#include "link/ReaderPacket.h"

#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace {

// A host without console or windows: commands and log lines are counted, the finisher starts
// the next measurement at once.
class BareHost : public gw::AcquisitionHost {
public:
    void send(const gw::Command& command) override { bytes += command.text.size(); }
    void log(const gw::LogLine& line) override { bytes += line.text.size(); }
    double now() const override { return 46000.0; }
    void runWatchCondition() override {}
    void runFinisher() override {
        ++finished;
        if (restarted != nullptr) {
            restarted->TakingData = true;
        }
    }
    void setReplyEvent() override {}
    bool startPointQuery() override { return false; }
    void abandonOperation() override {}
    gw::LiveGraphView& view() override { return view_; }

    gw::AcquisitionState* restarted = nullptr; // the finisher starts it again
    std::size_t bytes = 0;
    int finished = 0;

private:
    gw::LiveGraphView view_;
};

void RunReplies(benchmark::State& run, int systemType, gw::OperationKind kind, int dataState) {
    const int points = 1000;
    const std::vector<std::string> replies =
        gw::bench::MeasurementReplies(systemType, points, dataState);
    gw::TDataType op;
    op.Kind = kind;
    op.Points = points;
    op.Increment = 1;
    op.RampRate = 5;
    op.N = {255, 255, 255, 235};
    op.X = {1, 1, 1, 1};
    op.Y = {10, 10, 10, 10};
    gw::ReaderState state;
    gw::ReaderLinkState link;
    link.setSystemType(systemType);
    BareHost endless;
    gw::Acquisition measured(op, state, link, endless);
    endless.restarted = &measured.State;
    measured.PreparePointAxis();
    measured.State.TakingData = true;
    std::size_t next = 0;
    for (auto _ : run) {
        const gw::PacketOutcome outcome =
            gw::InterpretReaderPacket(replies[next], false, link, state);
        benchmark::DoNotOptimize(outcome);
        measured.OnStatusReply();
        next = (next + 1) % replies.size();
    }
    benchmark::DoNotOptimize(endless.bytes);
    run.SetItemsProcessed(run.iterations());
    run.counters["measurements"] = endless.finished;
}

void TlRepliesOn6600(benchmark::State& run) {
    RunReplies(run, 4, gw::OperationKind::TL, 6);
}
BENCHMARK(TlRepliesOn6600);

void TlRepliesOn3500(benchmark::State& run) {
    RunReplies(run, 2, gw::OperationKind::TL, 6);
}
BENCHMARK(TlRepliesOn3500);

void OslRepliesOn6600(benchmark::State& run) {
    RunReplies(run, 4, gw::OperationKind::OSL, 10);
}
BENCHMARK(OslRepliesOn6600);

} // namespace
