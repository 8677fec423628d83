#include "SimTestSupport.h"

#include <gtest/gtest.h>

namespace gw::test {
namespace {

struct TimedPoint {
    double atMs;
    int counter;
    int counts;
};

std::vector<TimedPoint> dataPoints(const ConsoleSideHarness& console, std::size_t first) {
    std::vector<TimedPoint> points;
    for (std::size_t i = first; i < console.replies.size(); ++i) {
        const ReceivedReply& reply = console.replies[i];
        if (reply.kind == PacketKind::StatusReply && reply.state.StateCode == 10) {
            points.push_back({reply.atMs, reply.state.PointCounter, reply.state.Counts[0]});
        }
    }
    return points;
}

TEST(SimOslRun, PointsFollowTheTimeBase) {
    const struct {
        const char* timeBase;
        const char* points;
        std::vector<double> widthsMs; // reader ms of the points in order, by segment
        std::vector<int> counts;
    } cases[] = {
        {"B1 10 1 100 4 250 40 250 \r", "X20 30 5 1 \r", {10, 100, 1000, 10000}, {20, 30, 5, 1}},
        {"B1 99 1 99 1 99 1 99 \r", "X255 45 0 0 \r", {99, 99, 99, 99}, {255, 45, 0, 0}},
        {"B1 10 1 14 1 66 2 154 \r", "X5 5 5 5 \r", {10, 14, 66, 308}, {5, 5, 5, 5}},
    };
    for (bool eightBit : {false, true}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << c.timeBase << " 8-bit " << eightBit);
            ConsoleSideHarness console(fastOptions(4, eightBit), 4);
            console.send("H1 @125 O1 ");
            console.run(200);
            console.send(c.timeBase);
            console.send(c.points);
            const std::size_t first = console.replies.size();
            console.send("U2048 2 0 ");
            collectUntilIdle(console, 2000);
            const std::vector<TimedPoint> points = dataPoints(console, first);
            std::vector<double> widths;
            for (std::size_t k = 0; k < 4; ++k) {
                widths.insert(widths.end(), static_cast<std::size_t>(c.counts[k]),
                              c.widthsMs[k] * 0.01);
            }
            ASSERT_EQ(points.size(), widths.size());
            for (std::size_t p = 1; p < points.size(); ++p) {
                EXPECT_EQ(points[p].counter, static_cast<int>(p));
                EXPECT_NEAR(points[p].atMs - points[p - 1].atMs, widths[p], 1e-6);
            }
        }
    }
}

TEST(SimOslRun, TheCurveDecaysAndScalesWithThePower) {
    long long totals[2] = {};
    int index = 0;
    for (int power : {1024, 4095}) {
        ConsoleSideHarness console(fastOptions(), 4);
        console.send("H1 @125 O1 B1 100 1 100 1 100 1 100 \rX10 0 0 0 \r");
        console.run(200);
        const std::size_t first = console.replies.size();
        console.send("U" + std::to_string(power) + " 2 0 ");
        collectUntilIdle(console, 2000);
        const std::vector<TimedPoint> points = dataPoints(console, first);
        ASSERT_EQ(points.size(), 10u);
        if (power == 4095) {
            EXPECT_GT(points.front().counts, 3 * points.back().counts);
        }
        totals[index++] = points.front().counts;
    }
    // At a quarter of the power the first 100 ms hold about a quarter of the light.
    EXPECT_NEAR(static_cast<double>(totals[0]) / static_cast<double>(totals[1]), 0.3, 0.08);
}

TEST(SimOslRun, TheCompatibleFormPutsADarkPointFirst) {
    ConsoleSideHarness console(fastOptions(), 4);
    console.send("H1 @125 O1 B1 100 1 100 1 100 1 100 \rX10 0 0 0 \r");
    console.run(200);
    const std::size_t first = console.replies.size();
    console.send("U4095 2 1 ");
    collectUntilIdle(console, 2000);
    const std::vector<TimedPoint> points = dataPoints(console, first);
    ASSERT_EQ(points.size(), 11u);
    EXPECT_EQ(points[0].counter, 0);
    EXPECT_EQ(points[10].counter, 10);
    EXPECT_LT(points[0].counts, 10);
    EXPECT_GT(points[1].counts, 1000);
}

TEST(SimOslRun, LinearlyModulatedLightGivesPeaks) {
    ConsoleSideHarness console(fastOptions(), 4);
    console.send("H1 @125 O1 B1 100 1 100 1 100 1 100 \rX255 145 0 0 \r");
    console.run(200);
    const std::size_t first = console.replies.size();
    console.send("T23 1 U10 6 0 ");
    collectUntilIdle(console, 5000);
    const std::vector<TimedPoint> points = dataPoints(console, first);
    ASSERT_EQ(points.size(), 400u);
    std::size_t peak = 0;
    for (std::size_t p = 0; p < points.size(); ++p) {
        if (points[p].counts > points[peak].counts) {
            peak = p;
        }
    }
    // The fast component peaks early in the ramp, well away from both ends.
    EXPECT_GT(peak, 5u);
    EXPECT_LT(peak, 200u);
    EXPECT_GT(points[peak].counts, 3 * points.front().counts);
    EXPECT_GT(points[peak].counts, 2 * points.back().counts);
}

TEST(SimOslRun, ShortRepliesCarryTheDataWhileTheyAreOn) {
    for (bool eightBit : {false, true}) {
        ConsoleSideHarness console(fastOptions(4, eightBit, 2), 4);
        console.send("H1 @125 O1 X5 0 0 0 \r");
        console.run(200);
        const std::size_t first = console.replies.size();
        console.send("T23 1 U4095 2 0 ");
        collectUntilIdle(console, 2000);
        EXPECT_EQ(dataPoints(console, first).size(), 5u);
        EXPECT_TRUE(console.reader.shortReplies());
        EXPECT_EQ(console.replies.back().text.size(), 18u) << "short layout, 2 channels";
        console.send("T23 0 ");
        console.run(100);
        EXPECT_FALSE(console.link.ShortReplies);
        EXPECT_EQ(console.replies.back().text.size(), 52u);
    }
}

TEST(SimOslRun, QRepeatsAStoredPoint) {
    for (int systemType : {2, 4}) {
        ConsoleSideHarness console(fastOptions(systemType, false, 2), systemType);
        console.send("H1 @125 O1 B1 100 1 100 1 100 1 100 \rX20 0 0 0 \r");
        console.run(200);
        const std::size_t first = console.replies.size();
        console.send("U4095 2 0 ");
        collectUntilIdle(console, 2000);
        const ReaderState point7 = [&] {
            for (std::size_t i = first; i < console.replies.size(); ++i) {
                if (console.replies[i].state.StateCode == 10 &&
                    console.replies[i].state.PointCounter == 7) {
                    return console.replies[i].state;
                }
            }
            return ReaderState{};
        }();
        ASSERT_GT(point7.Counts[0], 0);
        const std::size_t before = console.replies.size();
        console.send("Q7 \r");
        console.run(2);
        ASSERT_GT(console.replies.size(), before);
        const ReaderState& repeated = console.replies[before].state;
        EXPECT_EQ(repeated.StateCode, 0);
        EXPECT_EQ(repeated.PointCounter, 7);
        EXPECT_EQ(repeated.Counts, point7.Counts);
    }
}

} // namespace
} // namespace gw::test
