#include "SimTestSupport.h"

#include <gtest/gtest.h>

namespace gw::test {
namespace {

std::vector<ReceivedReply> since(const ConsoleSideHarness& console, std::size_t first) {
    std::vector<ReceivedReply> found;
    for (std::size_t i = first; i < console.replies.size(); ++i) {
        if (console.replies[i].kind == PacketKind::StatusReply) {
            found.push_back(console.replies[i]);
        }
    }
    return found;
}

std::vector<int> pointCountersIn(const std::vector<ReceivedReply>& replies,
                                 std::initializer_list<int> codes) {
    std::vector<int> counters;
    for (const ReceivedReply& reply : replies) {
        for (int code : codes) {
            if (reply.state.StateCode == code) {
                counters.push_back(reply.state.PointCounter);
            }
        }
    }
    return counters;
}

std::vector<int> countingFrom(int first, int last) {
    std::vector<int> counters;
    for (int p = first; p <= last; ++p) {
        counters.push_back(p);
    }
    return counters;
}

TEST(SimTlRun, StateCodesAndPointCountersComeInTheOrderTheConsoleExpects) {
    const struct {
        const char* program;
        std::vector<int> codes;
        int points;
    } cases[] = {
        {"E300 10 W0 0 S0 0 D1 L50 R5 G1 ", {0, 6, 7, 8, 0}, 300},
        {"E500 10 W160 10 S0 0 D2 L50 R5 G1 ", {0, 1, 2, 3, 6, 7, 8, 0}, 250},
        {"E400 0 W0 0 S160 10 D1 L50 R5 G1 ", {0, 4, 5, 6, 8, 0}, 400},
    };
    for (int systemType : {2, 4}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << c.program << " type " << systemType);
            ConsoleSideHarness console(fastOptions(systemType), systemType);
            console.send("H1 @0 O1 ");
            console.run(100);
            const std::size_t first = console.replies.size();
            console.send(c.program);
            collectUntilIdle(console);
            const std::vector<ReceivedReply> replies = since(console, first);
            std::vector<int> codes = stateSequence(replies);
            codes.insert(codes.begin(), 0);
            codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
            EXPECT_EQ(codes, c.codes);
            std::vector<int> expected = countingFrom(0, c.points - 1);
            if (systemType != 4) {
                // The 2-digit counter runs 0 ... 254 and starts again.
                for (int& counter : expected) {
                    counter %= 255;
                }
            }
            EXPECT_EQ(pointCountersIn(replies, {4, 6}), expected);
        }
    }
}

TEST(SimTlRun, TheGlowPeakLiesWhereTheTrapPutsIt) {
    ConsoleSideHarness console(fastOptions(), 4);
    console.send("H1 @0 O1 ");
    console.run(100);
    console.send("E450 0 W0 0 S0 0 D1 L50 R5 G1 ");
    const std::map<int, int> points = collectUntilIdle(console);
    ASSERT_EQ(points.size(), 450u);
    int peakPoint = 0;
    for (const auto& [point, counts] : points) {
        if (counts > points.at(peakPoint)) {
            peakPoint = point;
        }
    }
    // Point p is taken at (p + 1) degC of the ramp; the sample lags the ramp by about 2 degC.
    const double expected = SimSample::peakTemperatureC(console.reader.sample(1).traps()[0], 5.0);
    EXPECT_NEAR(peakPoint + 1, expected + 2.0, 6.0);
    // The deeper peaks stand far above the background.
    const double deep = SimSample::peakTemperatureC(console.reader.sample(1).traps()[1], 5.0);
    EXPECT_GT(points.at(static_cast<int>(deep)), 50 * points.at(200));
}

// Moves a disk under the irradiator and irradiates it for the given seconds.
void irradiate(ConsoleSideHarness& console, int disk, int seconds) {
    const int offset = simDefaultIrradiatorOffset(console.reader.options().systemType);
    const int position = (disk + offset) % simPlatterPositions(console.reader.options().systemType);
    console.send("M ");
    console.send("J" + std::to_string(position) + " ");
    ASSERT_TRUE(waitForPosition(console, position));
    console.send("I" + std::to_string(seconds) + " 0 ");
    ASSERT_TRUE(console.runUntil([](const ReaderState& s) { return s.Flags[10] == 1; }, 100));
    ASSERT_TRUE(console.runUntil([](const ReaderState& s) { return s.Flags[10] == 0; },
                                 seconds * 10.0 + 100));
}

long long tlSignal(ConsoleSideHarness& console, int disk) {
    console.send("M ");
    console.send("A" + std::to_string(disk) + " ");
    EXPECT_TRUE(waitForPosition(console, disk));
    console.send("@0 O1 E450 0 W0 0 S0 0 D1 L50 R5 G1 ");
    return sum(collectUntilIdle(console));
}

TEST(SimTlRun, HeatingEmptiesTheTrapsAndARegeneratedDoseGivesAProportionalSignal) {
    ConsoleSideHarness console(fastOptions(), 4);
    console.send("H1 ");
    const int disk = 5;
    const long long natural = tlSignal(console, disk);
    const long long background = tlSignal(console, disk);
    EXPECT_LT(background, natural / 50);

    irradiate(console, disk, 100); // 10 Gy
    const long long regenerated10 = tlSignal(console, disk) - background;
    irradiate(console, disk, 200); // 20 Gy
    const long long regenerated20 = tlSignal(console, disk) - background;
    EXPECT_NEAR(static_cast<double>(regenerated20) / static_cast<double>(regenerated10), 1.95,
                0.08);
    EXPECT_NEAR(console.reader.sample(disk).accumulatedDoseGy(), 50.0, 0.5);
    // The neighbours saw no dose.
    EXPECT_NEAR(console.reader.sample(disk + 1).accumulatedDoseGy(), 20.0, 1e-9);
}

TEST(SimTlRun, TheTemperatureFollowsTheHeaterAtAFiniteRate) {
    ConsoleSideHarness console(fastOptions(), 4);
    console.send("@200 O1 ");
    console.run(20); // 2 s of reader time
    const double early = console.reader.temperatureC();
    EXPECT_GT(early, 30.0);
    EXPECT_LT(early, 80.0);
    ASSERT_TRUE(console.runUntil(
        [](const ReaderState& s) { return std::abs(s.Data[2] - 128) <= 3 && s.Data[1] == 50; },
        300));
    console.send("O0 ");
    console.run(300);
    EXPECT_LT(console.reader.temperatureC(), 150.0);
}

} // namespace
} // namespace gw::test
