#include "link/ReaderPacket.h"

#include "link/HexBytes.h"
#include "link/StatusReplyEncoder.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

ReaderLinkState Link(int systemType, int channels = 1, bool shortReplies = false) {
    ReaderLinkState link;
    link.setSystemType(systemType);
    link.SetCounterChannels(channels);
    link.ShortReplies = shortReplies;
    return link;
}

ReaderState IdleState() {
    ReaderState state;
    state.Position = 3;
    state.PointCounter = 17;
    state.Counts = {1234, 0, 0, 0};
    state.Data = {10, 20, 30, 40, 50, 60, 70, 80};
    state.Timer = 321;
    return state;
}

TEST(IdentifySystemType, NamesTheReaderModel) {
    const std::vector<std::pair<std::string, std::optional<int>>> cases = {
        {"SYS6600 v4.1", 4},
        {"SYS66", 4},
        {"SYS3550", 3},
        {"SYS3500", 2},
        {"SYS3400", 1},
        {"SYS3550 and 3400", 3},
        {"SYS9999 3500", {}},
        {"reader 3550", 3},
        {"type 3500", 2},
        {"3400", 1},
        {"6600", {}},
        {"ready", {}},
        {"", {}},
        {"SYS3500 SYS66", 4},
    };
    for (const auto& [text, type] : cases) {
        EXPECT_EQ(IdentifySystemType(text), type) << text;
    }
}

TEST(InterpretReaderPacket, TextRepliesAreLoggedAndIdentifyTheReader) {
    struct Case {
        std::string packet;
        std::string logged;
        std::optional<int> identified;
    };
    const std::vector<Case> cases = {
        {"\x02SYS3550 ready", ": SYS3550 ready", 3},
        {"\x1A\x01\x05SYS3500\rsecond line\n", ": SYS3500\rsecond line", 2},
        {"\x02hello \x01", ": hello ", {}},
        {"\x02SYS6600", ": SYS6600", {}},         // already a 6600
        {"\x02\r3400 later", ": 3400 later", {}}, // the identification ends at the first CR
        {"\x02", ": ", {}},
    };
    for (const Case& c : cases) {
        ReaderLinkState link = Link(4);
        ReaderState state = IdleState();
        const PacketOutcome outcome = InterpretReaderPacket(c.packet, false, link, state);
        EXPECT_EQ(outcome.kind, PacketKind::TextReply) << c.packet;
        EXPECT_EQ(outcome.logLines, std::vector<LogLine>{StampedLine(c.logged)}) << c.packet;
        EXPECT_EQ(outcome.identifiedSystemType, c.identified) << c.packet;
        EXPECT_EQ(link.systemType(), c.identified.value_or(4));
        EXPECT_EQ(state, IdleState());
        EXPECT_FALSE(outcome.startRecoveryTimer);
    }
}

TEST(InterpretReaderPacket, IdentificationSwitchesTheDecodingAtOnce) {
    ReaderLinkState link = Link(4, 2);
    ReaderState state;
    InterpretReaderPacket("\x02SYS3550", false, link, state);
    EXPECT_EQ(link.layout, ReplyLayout::For(3, 2));
    const std::string reply = EncodeStatusReply(IdleState(), ReplyLayout::For(3, 2), false);
    EXPECT_EQ(InterpretReaderPacket(reply, false, link, state).kind, PacketKind::StatusReply);
    EXPECT_EQ(state.PointCounter, 17);
}

TEST(InterpretReaderPacket, DecodedRepliesLogBusyAndErrors) {
    struct Case {
        bool busy;
        std::int32_t errors;
        std::vector<std::string> lines; // "*" stands for the reply itself
    };
    const std::vector<Case> cases = {
        {false, 0x000, {}},
        {false, 0x004, {}},
        {true, 0x000, {"*"}},
        {false, 0x006, {"  reader error - high voltage", "  reader error - ramp"}},
        {true, 0x801, {"*", "  reader error - thermocouple", "  reader error - deck error"}},
        {false,
         0xFFF,
         {"  reader error - thermocouple", "  reader error - high voltage", "  reader error - ramp",
          "  reader error - irradiator", "  reader error - elevator", "  reader error - position",
          "  reader error - stuck", "  reader error - position sync", "  reader error - change",
          "  reader error - serial error", "  reader error - buffer overflow",
          "  reader error - deck error"}},
    };
    for (const Case& c : cases) {
        ReaderState sent = IdleState();
        sent.ErrorBits = c.errors;
        sent.Flags[BusyFlag] = c.busy ? 1 : 0;
        const std::string reply = EncodeStatusReply(sent, ReplyLayout::For(4, 1), false);
        ReaderLinkState link = Link(4);
        ReaderState state;
        const PacketOutcome outcome = InterpretReaderPacket(reply, false, link, state);
        ASSERT_EQ(outcome.kind, PacketKind::StatusReply);
        EXPECT_EQ(state, sent);
        std::vector<LogLine> expected;
        for (const std::string& line : c.lines) {
            expected.push_back(line == "*" ? StampedLine(": " + reply) : PlainLine(line));
        }
        EXPECT_EQ(outcome.logLines, expected) << c.errors;
        EXPECT_EQ(outcome.workingText, reply);
    }
}

TEST(InterpretReaderPacket, GarbledReplyThenNextReplyGivesPostErrorThenComError) {
    const std::string good = EncodeStatusReply(IdleState(), ReplyLayout::For(4, 1), false);
    const std::string garbled = "0004D2" + good.substr(6, 20);
    ReaderLinkState link = Link(4);
    ReaderState state;

    const PacketOutcome first = InterpretReaderPacket(garbled, false, link, state);
    EXPECT_EQ(first.kind, PacketKind::PostError);
    EXPECT_TRUE(first.startRecoveryTimer);
    EXPECT_EQ(first.logLines, std::vector<LogLine>{StampedLine(" PostError: " + garbled)});
    EXPECT_TRUE(link.ReaderErrorPending);

    // The next status reply is logged, not decoded, even when it is sound.
    const ReaderState before = state;
    const PacketOutcome second = InterpretReaderPacket(good, false, link, state);
    EXPECT_EQ(second.kind, PacketKind::ComError);
    EXPECT_FALSE(second.startRecoveryTimer);
    EXPECT_EQ(second.logLines, std::vector<LogLine>{StampedLine(" ComError: " + good)});
    EXPECT_FALSE(link.ReaderErrorPending);
    EXPECT_EQ(state, before);

    // Then decoding resumes.
    EXPECT_EQ(InterpretReaderPacket(good, false, link, state).kind, PacketKind::StatusReply);
    EXPECT_EQ(state, IdleState());
}

TEST(InterpretReaderPacket, TextRepliesDoNotClearAPendingLineError) {
    ReaderLinkState link = Link(4);
    link.ReaderErrorPending = true;
    ReaderState state;
    EXPECT_EQ(InterpretReaderPacket("\x02ok", false, link, state).kind, PacketKind::TextReply);
    EXPECT_TRUE(link.ReaderErrorPending);
}

TEST(InterpretReaderPacket, AnEmptyPacketIsIgnored) {
    for (const bool pending : {false, true}) {
        ReaderLinkState link = Link(4);
        link.ReaderErrorPending = pending;
        const ReaderLinkState before = link;
        ReaderState state = IdleState();
        const PacketOutcome outcome = InterpretReaderPacket("", false, link, state);
        EXPECT_EQ(outcome.kind, PacketKind::Empty);
        EXPECT_TRUE(outcome.logLines.empty());
        EXPECT_FALSE(outcome.startRecoveryTimer);
        EXPECT_EQ(link, before);
        EXPECT_EQ(state, IdleState());
    }
}

TEST(InterpretReaderPacket, PacketsCutAtTheSizeLimitAreLoggedAsExtraLong) {
    for (const std::size_t size :
         {ExtraLongPacketBytes - 1, ExtraLongPacketBytes, std::size_t{5000}}) {
        const std::string packet(size, 'A');
        for (const bool eightBit : {false, true}) {
            ReaderLinkState link = Link(4);
            ReaderState state;
            const PacketOutcome outcome = InterpretReaderPacket(packet, eightBit, link, state);
            const bool expected = !eightBit && size >= ExtraLongPacketBytes;
            ASSERT_EQ(outcome.extraLongLine.has_value(), expected) << size << eightBit;
            if (expected) {
                EXPECT_EQ(*outcome.extraLongLine, PlainLine("extra long: " + packet));
                EXPECT_EQ(outcome.kind, PacketKind::PostError);
            }
        }
    }
}

struct FrameCase {
    int system;
    int channels;
    bool shortForm;
};

class EightBitFrames : public testing::TestWithParam<FrameCase> {};

TEST_P(EightBitFrames, StatusFramesDecodeLikeLines) {
    const FrameCase c = GetParam();
    const ReplyLayout layout = ReplyLayout::For(c.system, c.channels);
    ReaderState sent = IdleState();
    sent.PointCounter = layout.PointDigitsExtra ? -5 : 200;
    sent.Flags[3] = 1;
    const std::string line = EncodeStatusReply(sent, layout, c.shortForm);
    const std::string frame = FrameHexReply(line);
    ASSERT_EQ(HexBytes(frame, HexBytesMode::ContentsOnly), line);

    ReaderLinkState link = Link(c.system, c.channels, c.shortForm);
    ReaderState state = IdleState();
    const PacketOutcome outcome = InterpretReaderPacket(frame, true, link, state);
    ASSERT_EQ(outcome.kind, PacketKind::StatusReply) << outcome.workingText;
    EXPECT_EQ(outcome.workingText, line);
    EXPECT_EQ(state.Counts, sent.Counts);
    EXPECT_EQ(state.PointCounter, sent.PointCounter);
    EXPECT_EQ(state.Flags, c.shortForm ? IdleState().Flags : sent.Flags);
}

std::vector<FrameCase> AllFrames() {
    std::vector<FrameCase> cases;
    for (int system = 0; system <= 4; ++system) {
        for (int channels = 1; channels <= 4; ++channels) {
            cases.push_back({system, channels, false});
            cases.push_back({system, channels, true});
        }
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(SystemsChannelsForms, EightBitFrames, testing::ValuesIn(AllFrames()),
                         [](const testing::TestParamInfo<FrameCase>& info) {
                             return "System" + std::to_string(info.param.system) + "Channels" +
                                    std::to_string(info.param.channels) +
                                    (info.param.shortForm ? "Short" : "Long");
                         });

TEST(EightBitFrames, TextFramesAndBrokenFrames) {
    ReaderLinkState link = Link(4);
    ReaderState state;
    // A text frame loses its length byte and is a text reply.
    const PacketOutcome text = InterpretReaderPacket(FrameText("SYS3500 v2\r"), true, link, state);
    EXPECT_EQ(text.kind, PacketKind::TextReply);
    EXPECT_EQ(text.logLines, std::vector<LogLine>{StampedLine(": SYS3500 v2")});
    EXPECT_EQ(text.identifiedSystemType, 2);

    // A 6600 long frame for two counters while the console expects one: converted, then refused.
    link = Link(4, 1);
    const std::string twoCounters =
        FrameHexReply(EncodeStatusReply(IdleState(), ReplyLayout::For(4, 2), false));
    const PacketOutcome mismatch = InterpretReaderPacket(twoCounters, true, link, state);
    EXPECT_EQ(mismatch.kind, PacketKind::PostError);
    EXPECT_EQ(mismatch.workingText.size(), 52U);

    // A short frame while long replies are expected is not taken for a status reply.
    link = Link(4, 1);
    const std::string shortFrame =
        FrameHexReply(EncodeStatusReply(IdleState(), ReplyLayout::For(4, 1), true));
    EXPECT_EQ(InterpretReaderPacket(shortFrame, true, link, state).kind, PacketKind::TextReply);

    // A long frame with a wrong length byte is all hex, and garbled.
    std::string wrongLength =
        FrameHexReply(EncodeStatusReply(IdleState(), ReplyLayout::For(4, 1), false));
    wrongLength[1] = static_cast<char>(wrongLength.size() + 3);
    link = Link(4, 1);
    const PacketOutcome broken = InterpretReaderPacket(wrongLength, true, link, state);
    EXPECT_EQ(broken.kind, PacketKind::PostError);
    EXPECT_EQ(broken.workingText, HexDigits(wrongLength));
}

TEST(ReaderDiscardLine, ShowsTheBytesInHex) {
    EXPECT_EQ(ReaderDiscardLine("A\r\x01"), StampedLine(" discarded: 410D01"));
    EXPECT_EQ(ReaderDiscardLine(std::string("\x02\x05\xAB\xCD\x03")),
              StampedLine(std::string(" discarded: \x02\x05") + "ABCD\x03"));
}

TEST(HexBytes, FramesAndOtherBytes) {
    const std::string frame = std::string("\x02\x06") + "\x1F\xA0\x7F" + "\x03";
    EXPECT_EQ(HexBytes(frame, HexBytesMode::ContentsOnly), "1FA07F");
    EXPECT_EQ(HexBytes(frame, HexBytesMode::KeepFrame), std::string("\x02\x06") + "1FA07F\x03");
    const std::string notFrame = std::string("\x02\x05") + "\x1F\xA0\x7F" + "\x03";
    EXPECT_EQ(HexBytes(notFrame, HexBytesMode::KeepFrame), "02051FA07F03");
    EXPECT_EQ(HexBytes(std::string("\x02\x03\x03", 3), HexBytesMode::ContentsOnly), "020303");
    EXPECT_EQ(HexBytes("", HexBytesMode::KeepFrame), "");
    EXPECT_EQ(HexBytes(std::string("\x02\x04\x00\x03", 4), HexBytesMode::ContentsOnly), "00");
}

} // namespace
} // namespace gw
