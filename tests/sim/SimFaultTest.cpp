#include "SimTestSupport.h"

#include <cmath>
#include <gtest/gtest.h>

namespace gw::test {
namespace {

// Tolerance of a count drawn n times with probability p: five standard deviations.
double tolerance(int n, double p) {
    return 5.0 * std::sqrt(n * p * (1.0 - p)) + 1.0;
}

TEST(SimFaults, LostPointsAppearAtTheRequestedRateAndCanBeReadAgain) {
    SimOptions options = fastOptions();
    options.faults.lostPointShare = 0.2;
    ConsoleSideHarness console(options, 4);
    console.send("H1 @125 O1 B1 10 1 10 1 10 1 10 \rX255 255 255 235 \r");
    console.run(100);
    console.send("U4095 2 0 ");
    const std::map<int, int> points = collectUntilIdle(console, 5000);
    const int lost = 1000 - static_cast<int>(points.size());
    EXPECT_NEAR(lost, 200, tolerance(1000, 0.2));
    EXPECT_EQ(console.reader.faultCounts().lostPoints, lost);
    // A lost point is still stored in the reader.
    int missing = 0;
    while (points.count(missing) != 0) {
        ++missing;
    }
    console.send("Q" + std::to_string(missing) + " \r");
    ASSERT_TRUE(console.runUntil(
        [missing](const ReaderState& s) { return s.PointCounter == missing && s.Counts[0] > 0; },
        5));
}

// Garbled and cut-short replies never decode as a status, each at its requested rate.
TEST(SimFaults, BrokenRepliesFailToDecodeAtTheRequestedRate) {
    const struct {
        const char* name;
        double SimFaults::*share;
        int SimFaultCounts::*count;
    } faults[] = {{"garbled", &SimFaults::garbledShare, &SimFaultCounts::garbled},
                  {"short", &SimFaults::shortShare, &SimFaultCounts::shortReplies}};
    for (const auto& fault : faults) {
        for (bool eightBit : {false, true}) {
            SCOPED_TRACE(std::string(fault.name) + (eightBit ? " 8-bit" : " 7-bit"));
            SimOptions options = fastOptions(4, eightBit);
            options.faults.*fault.share = 0.1;
            // A tenth of real time: the simulated reader thins replies that would come closer
            // than half a real millisecond, and this test wants every 10 ms reply.
            options.timeScale = 0.1;
            ConsoleSideHarness console(options, 4);
            console.send("T22 1 10 ");
            int failed = 0;
            int decoded = 0;
            const SimFaultCounts start = console.reader.faultCounts();
            for (int i = 0; i < 2000; ++i) {
                const std::size_t before = console.replies.size();
                console.run(1.0, 1.0);
                for (std::size_t r = before; r < console.replies.size(); ++r) {
                    const PacketKind kind = console.replies[r].kind;
                    failed += kind != PacketKind::StatusReply;
                    decoded += kind == PacketKind::StatusReply;
                }
                // The console's recovery: the port is reset and the next reply decodes again.
                console.link.ReaderErrorPending = false;
            }
            const int total = failed + decoded;
            EXPECT_GT(total, 1900);
            const SimFaultCounts end = console.reader.faultCounts();
            const int broken = end.*fault.count - start.*fault.count;
            EXPECT_NEAR(broken, total * 0.1, tolerance(total, 0.1));
            // Every whole reply decodes; a broken one fails unless its cut left a line of the
            // short form's length, which no console can tell.
            const int whole = end.statusReplies - start.statusReplies - broken;
            EXPECT_GE(decoded, whole);
            EXPECT_LE(decoded, whole + broken / 20);
        }
    }
}

TEST(SimFaults, LineErrorsAndErrorBitsAppearAsRequested) {
    SimOptions options = fastOptions();
    options.faults.lineErrorShare = 0.05;
    options.faults.errorBits = 0x10; // elevator
    SimReader reader(options);
    reader.powerOn();
    reader.receive("T22 1 10 ");
    int flagged = 0;
    int total = 0;
    for (int i = 0; i < 400; ++i) {
        reader.advance(1);
        for (const SimOutput& output : reader.takeOutput()) {
            flagged += output.lineError;
            ++total;
        }
    }
    EXPECT_NEAR(flagged, total * 0.05, tolerance(total, 0.05));
    ConsoleSideHarness console(options, 4);
    console.run(30);
    EXPECT_EQ(console.state.ErrorBits & 0x10, 0x10);
}

TEST(SimFaults, NoneAppearsByDefault) {
    ConsoleSideHarness console(fastOptions(), 4);
    console.send("H1 @125 O1 B1 10 1 10 1 10 1 10 \rX255 255 255 235 \r");
    console.run(100);
    console.send("U4095 2 0 ");
    EXPECT_EQ(collectUntilIdle(console, 5000).size(), 1000u);
    for (const ReceivedReply& reply : console.replies) {
        EXPECT_TRUE(reply.kind == PacketKind::StatusReply || reply.kind == PacketKind::TextReply);
        EXPECT_FALSE(reply.lineError);
    }
    EXPECT_EQ(console.state.ErrorBits, 0);
}

} // namespace
} // namespace gw::test
