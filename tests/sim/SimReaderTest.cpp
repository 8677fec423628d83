#include "SimTestSupport.h"

#include <gtest/gtest.h>

namespace gw::test {
namespace {

TEST(SimReader, EverySystemTypeFramingAndChannelCountDecodes) {
    for (int systemType = 1; systemType <= 4; ++systemType) {
        for (bool eightBit : {false, true}) {
            // The console starts as some other model; the identification puts it right.
            ConsoleSideHarness console(fastOptions(systemType, eightBit), systemType == 4 ? 2 : 4);
            console.run(50);
            ASSERT_EQ(console.identifiedTypes, std::vector<int>{systemType});
            for (int channels = 1; channels <= 4; ++channels) {
                SCOPED_TRACE(testing::Message() << "type " << systemType << " 8-bit " << eightBit
                                                << " channels " << channels);
                console.send("T21 " + std::to_string(channels) + " ");
                const std::size_t before = console.replies.size();
                console.run(30);
                ASSERT_GT(console.replies.size(), before);
                for (std::size_t i = before; i < console.replies.size(); ++i) {
                    EXPECT_EQ(console.replies[i].kind, PacketKind::StatusReply);
                }
                EXPECT_EQ(console.reader.counterChannels(), channels);
                EXPECT_EQ(console.state.Position, 1);
                EXPECT_EQ(console.state.ErrorBits, 0);
            }
        }
    }
}

TEST(SimReader, SwitchesShowInTheStatusFlags) {
    const struct {
        int systemType;
        const char* on;
        const char* off;
        std::vector<int> flags;
    } cases[] = {
        {4, "P1 ", "P0 ", {13}}, {4, "C1 ", "C0 ", {14}},         {4, "H1 ", "H0 ", {18, 19}},
        {4, "K1 ", "K0 ", {9}},  {4, "@100 O1 ", "O0 ", {15}},    {2, "V1 ", "V0 ", {11, 12}},
        {4, "V2 ", "V0 ", {11}}, {4, "N819 2 ", "N0 2 \r", {25}}, {3, "N4095 1 ", "N0 0 \r", {24}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.on);
        ConsoleSideHarness console(fastOptions(c.systemType), c.systemType);
        console.run(20);
        for (int flag : c.flags) {
            EXPECT_EQ(console.state.Flags[static_cast<std::size_t>(flag)], 0);
        }
        console.send(c.on);
        console.run(2);
        for (int flag : c.flags) {
            EXPECT_EQ(console.state.Flags[static_cast<std::size_t>(flag)], 1) << flag;
        }
        console.send(c.off);
        console.run(2);
        for (int flag : c.flags) {
            EXPECT_EQ(console.state.Flags[static_cast<std::size_t>(flag)], 0) << flag;
        }
    }
}

TEST(SimReader, ThePlatterIsBusyWhileItTurns) {
    ConsoleSideHarness console(fastOptions(), 4);
    console.run(20);
    console.send("A10 ");
    console.run(1);
    EXPECT_EQ(console.state.Flags[BusyFlag], 1);
    EXPECT_EQ(console.state.Position, 1);
    const double start = console.replies.back().atMs;
    ASSERT_TRUE(waitForPosition(console, 10));
    double arrived = 0.0;
    for (const ReceivedReply& reply : console.statusReplies()) {
        if (arrived == 0.0 && reply.state.Position == 10) {
            arrived = reply.atMs;
            EXPECT_EQ(reply.state.Flags[BusyFlag], 0);
        }
    }
    // 0.8 s to start plus 0.12 s for each of the 9 positions, at a hundredth of real time.
    EXPECT_NEAR(arrived - start, 18.8, 0.5);

    console.send("M ");
    console.run(1);
    EXPECT_EQ(console.state.Flags[BusyFlag], 1);
    console.run(20);
    EXPECT_EQ(console.state.Flags[BusyFlag], 0);

    console.send("A61 ");
    console.run(2);
    EXPECT_EQ(console.state.ErrorBits, 1 << 5) << "no such position";
}

TEST(SimReader, TimerAndReplyIntervalFollowTheCommands) {
    ConsoleSideHarness console(fastOptions(), 4);
    console.run(105);
    console.send("T0 \r");
    console.run(1);
    EXPECT_EQ(console.state.Timer, 0);
    console.run(100);
    EXPECT_NEAR(console.state.Timer, 10, 1);

    console.send("T22 1 100 ");
    console.run(1);
    const std::size_t before = console.replies.size();
    console.run(10);
    EXPECT_NEAR(static_cast<double>(console.replies.size() - before), 10.0, 1.0)
        << "a reply every 100 ms of reader time";
}

TEST(SimReader, RunsAtTheConsolesTimeScale) {
    for (double scale : {1.0, 0.1, 0.01}) {
        SimOptions options = fastOptions();
        options.timeScale = scale;
        ConsoleSideHarness console(options, 4);
        console.run(5000 * scale, 10 * scale);
        const std::vector<ReceivedReply> replies = console.statusReplies();
        ASSERT_GE(replies.size(), 4u);
        EXPECT_NEAR(replies[3].atMs - replies[2].atMs, 1000 * scale, 1e-6);
    }
}

TEST(SimReader, ZStopsEverythingAndTheReaderIntroducesItselfAgain) {
    ConsoleSideHarness console(fastOptions(3, true), 3);
    console.send("H1 N4095 2 @0 O1 E450 0 W0 0 S0 0 D1 L50 R5 G1 ");
    console.run(200);
    EXPECT_EQ(console.state.StateCode, 6);
    console.identifiedTypes.clear();
    const std::size_t before = console.replies.size();
    console.send("Z ");
    console.run(50);
    EXPECT_EQ(console.state.StateCode, 0);
    EXPECT_EQ(console.state.Flags[25], 0);
    EXPECT_EQ(console.state.Flags[15], 0);
    bool introduced = false;
    for (std::size_t i = before; i < console.replies.size(); ++i) {
        introduced = introduced || (console.replies[i].kind == PacketKind::TextReply &&
                                    console.replies[i].text.find("SYS3550") != std::string::npos);
    }
    EXPECT_TRUE(introduced);
}

TEST(SimReader, UnknownCommandsGetATextThatNamesNoModel) {
    ConsoleSideHarness console(fastOptions(4), 4);
    console.run(20);
    console.identifiedTypes.clear();
    console.send("Y3500 ");
    console.send("A5x ");
    console.run(20);
    std::vector<std::string> texts;
    for (const ReceivedReply& reply : console.replies) {
        if (reply.kind == PacketKind::TextReply && reply.text.find("?") != std::string::npos) {
            texts.push_back(reply.text);
        }
    }
    EXPECT_EQ(texts.size(), 2u);
    EXPECT_TRUE(console.identifiedTypes.empty());
    EXPECT_EQ(console.state.Position, 1);
}

} // namespace
} // namespace gw::test
