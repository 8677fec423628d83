#include "link/StatusReplyDecoder.h"

#include "link/StatusReplyEncoder.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

ReaderLinkState Link(int systemType, int channels, bool shortReplies = false) {
    ReaderLinkState link;
    link.setSystemType(systemType);
    link.SetCounterChannels(channels);
    link.ShortReplies = shortReplies;
    return link;
}

// A state with every field set to a value that the layout can carry.
ReaderState Sample(const ReplyLayout& layout, unsigned seed) {
    ReaderState state;
    unsigned next = seed * 2654435761U + 1;
    const auto draw = [&next](unsigned limit) {
        next = next * 1103515245U + 12345U;
        return static_cast<std::int32_t>((next >> 8) % limit);
    };
    for (int i = 0; i < layout.CounterChannels; ++i) {
        state.Counts[static_cast<std::size_t>(i)] = draw(0x1000000);
    }
    state.PointCounter = layout.PointDigitsExtra == 2 ? draw(0x10000) - 0x8000 : draw(0x100);
    state.Position = draw(0x100);
    state.StateCode = draw(11);
    state.ErrorBits = draw(0x1000);
    for (auto& reading : state.Data) {
        reading = draw(0x100);
    }
    for (auto& flag : state.Flags) {
        flag = static_cast<std::uint8_t>(draw(2));
    }
    state.Timer = draw(0x10000);
    return state;
}

TEST(ReplyLayout, LengthsFollowSystemTypeAndChannels) {
    struct Case {
        int system, channels, longLength, shortLength, extra;
    };
    const std::vector<Case> cases = {
        {2, 1, 44, 10, 0}, {4, 1, 46, 12, 2}, {4, 4, 64, 30, 2}, {1, 2, 50, 16, 0},
        {3, 3, 56, 22, 0}, {0, 4, 62, 28, 0}, {4, 0, 46, 12, 2}, {4, 9, 64, 30, 2},
    };
    for (const Case& c : cases) {
        const ReplyLayout layout = ReplyLayout::For(c.system, c.channels);
        EXPECT_EQ(layout.LongLength, c.longLength) << c.system << "/" << c.channels;
        EXPECT_EQ(layout.ShortLength, c.shortLength) << c.system << "/" << c.channels;
        EXPECT_EQ(layout.PointDigitsExtra, c.extra) << c.system;
    }
}

struct LayoutCase {
    int system;
    int channels;
};

class EveryLayout : public testing::TestWithParam<LayoutCase> {};

TEST_P(EveryLayout, LongRepliesDecodeEveryField) {
    const ReaderLinkState start = Link(GetParam().system, GetParam().channels);
    for (unsigned seed = 0; seed < 50; ++seed) {
        ReaderState sent = Sample(start.layout, seed);
        const std::string text = EncodeStatusReply(sent, start.layout, false);
        ASSERT_EQ(text.size(), static_cast<std::size_t>(start.layout.LongLength));
        ReaderLinkState link = start;
        ReaderState got;
        ASSERT_TRUE(DecodeStatusReply(text, link, got)) << text;
        EXPECT_EQ(got, sent) << text;
        EXPECT_FALSE(link.ShortReplies);
    }
}

TEST_P(EveryLayout, ShortRepliesKeepTheOtherFields) {
    const ReaderLinkState start = Link(GetParam().system, GetParam().channels, true);
    for (unsigned seed = 0; seed < 50; ++seed) {
        const ReaderState before = Sample(start.layout, seed + 100);
        ReaderState sent = Sample(start.layout, seed);
        const std::string text = EncodeStatusReply(sent, start.layout, true);
        ASSERT_EQ(text.size(), static_cast<std::size_t>(start.layout.ShortLength));
        ReaderLinkState link = start;
        ReaderState got = before;
        ASSERT_TRUE(DecodeStatusReply(text, link, got)) << text;
        ReaderState expected = before;
        expected.Counts = sent.Counts;
        for (int i = start.layout.CounterChannels; i < 4; ++i) {
            expected.Counts[static_cast<std::size_t>(i)] =
                before.Counts[static_cast<std::size_t>(i)];
        }
        expected.PointCounter = sent.PointCounter;
        expected.StateCode = sent.StateCode;
        EXPECT_EQ(got, expected) << text;
    }
}

TEST_P(EveryLayout, RepliesOfTheWrongLengthFail) {
    const ReaderLinkState start = Link(GetParam().system, GetParam().channels);
    const std::string text = EncodeStatusReply(Sample(start.layout, 7), start.layout, false);
    for (const std::string& broken :
         {text.substr(0, text.size() - 1), text + "0", text.substr(0, 20), std::string(),
          text.substr(0, static_cast<std::size_t>(start.layout.ShortLength) + 1)}) {
        ReaderLinkState link = start;
        ReaderState state;
        EXPECT_FALSE(DecodeStatusReply(broken, link, state)) << broken;
    }
}

TEST_P(EveryLayout, ANonHexDigitAnywhereFails) {
    const ReaderLinkState start = Link(GetParam().system, GetParam().channels);
    const std::string text = EncodeStatusReply(Sample(start.layout, 3), start.layout, false);
    for (std::size_t at = 0; at < text.size(); ++at) {
        for (const char bad : {'G', ' ', '-', '\0', 'x'}) {
            std::string broken = text;
            broken[at] = bad;
            ReaderLinkState link = start;
            ReaderState state;
            EXPECT_FALSE(DecodeStatusReply(broken, link, state)) << at << " " << bad;
        }
    }
}

std::vector<LayoutCase> AllLayouts() {
    std::vector<LayoutCase> cases;
    for (int system = 0; system <= 4; ++system) {
        for (int channels = 1; channels <= 4; ++channels) {
            cases.push_back({system, channels});
        }
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(SystemsAndChannels, EveryLayout, testing::ValuesIn(AllLayouts()),
                         [](const testing::TestParamInfo<LayoutCase>& info) {
                             return "System" + std::to_string(info.param.system) + "Channels" +
                                    std::to_string(info.param.channels);
                         });

// A 6600 long reply with one counter, built field by field.
std::string Reply6600(const std::string& counter, const std::string& point,
                      const std::string& state = "00", const std::string& errors = "0000",
                      const std::string& status = "FFFDFFFF") {
    return counter + point + "05" + state + errors + "1122334455667788" + status + "0ABC";
}

TEST(DecodeStatusReply, FieldsLandWhereTheyBelong) {
    ReaderLinkState link = Link(4, 2);
    ReaderState state;
    const std::string text = "000102"
                             "0A0B0C"
                             "FFFE"
                             "07"
                             "06"
                             "0803"
                             "1122334455667788"
                             "FFFDFFFF"
                             "0ABC";
    ASSERT_TRUE(DecodeStatusReply(text, link, state));
    EXPECT_EQ(state.Counts[1], 0x000102); // the first field is the highest channel
    EXPECT_EQ(state.Counts[0], 0x0A0B0C);
    EXPECT_EQ(state.PointCounter, -2);
    EXPECT_EQ(state.Position, 7);
    EXPECT_EQ(state.StateCode, 6);
    EXPECT_EQ(state.ErrorBits, 0x803);
    EXPECT_EQ(state.Data,
              (std::array<std::int32_t, 8>{0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88}));
    EXPECT_EQ(state.Timer, 0xABC);
    for (int flag = 0; flag < 32; ++flag) {
        EXPECT_EQ(state.Flags[static_cast<std::size_t>(flag)], 0) << flag; // bit 9 is 0
    }
}

TEST(DecodeStatusReply, StatusWordBitsMapToFlagsByteByByteInTextOrder) {
    struct Case {
        std::string word;
        int flag;
    };
    // With every other bit set, clearing one bit sets one flag (bit 9 inverted: setting it).
    const std::vector<Case> cases = {
        {"FEFDFFFF", 0},  {"7FFDFFFF", 7},  {"FFFCFFFF", 8},  {"FFFFFFFF", 9},
        {"FFDDFFFF", 13}, {"FFFDDFFF", 21}, {"FFFDFFFE", 24}, {"FFFDFF7F", 31},
    };
    for (const Case& c : cases) {
        ReaderLinkState link = Link(4, 1);
        ReaderState state;
        ASSERT_TRUE(
            DecodeStatusReply(Reply6600("000000", "0000", "00", "0000", c.word), link, state));
        for (int flag = 0; flag < 32; ++flag) {
            EXPECT_EQ(state.Flags[static_cast<std::size_t>(flag)], flag == c.flag ? 1 : 0)
                << c.word << " flag " << flag;
        }
    }
}

TEST(DecodeStatusReply, AllOnesAndAllZerosStatusWords) {
    ReaderLinkState link = Link(4, 1);
    ReaderState state;
    ASSERT_TRUE(
        DecodeStatusReply(Reply6600("000000", "0000", "00", "0000", "FFFFFFFF"), link, state));
    for (int flag = 0; flag < 32; ++flag) {
        EXPECT_EQ(state.Flags[static_cast<std::size_t>(flag)], flag == 9 ? 1 : 0) << flag;
    }
    ASSERT_TRUE(
        DecodeStatusReply(Reply6600("000000", "0000", "00", "0000", "00000000"), link, state));
    for (int flag = 0; flag < 32; ++flag) {
        EXPECT_EQ(state.Flags[static_cast<std::size_t>(flag)], flag == 9 ? 0 : 1) << flag;
    }
}

TEST(DecodeStatusReply, CorrectCountsAndSignExtension) {
    struct Case {
        int system;
        bool correct;
        std::string counter, point;
        std::int32_t counts, pointCounter;
    };
    const std::vector<Case> cases = {
        {4, true, "0001FF", "0000", 255, 0},      {4, true, "0000FF", "0000", -1, 0},
        {4, false, "0001FF", "0000", 511, 0},     {4, false, "0000FF", "FFFF", 255, -1},
        {4, true, "000100", "8000", 256, -32768}, {4, true, "FFFFFF", "7FFF", 0xFFFEFF, 32767},
        {2, false, "00abcd", "FF", 0xABCD, 255},  {2, true, "0002ff", "80", 0x1FF, 128},
    };
    for (const Case& c : cases) {
        ReaderLinkState link = Link(c.system, 1);
        link.CorrectCounts = c.correct;
        ReaderState state;
        const std::string tail = "05"
                                 "00"
                                 "0000"
                                 "1122334455667788"
                                 "FFFDFFFF"
                                 "0ABC";
        ASSERT_TRUE(DecodeStatusReply(c.counter + c.point + tail, link, state)) << c.counter;
        EXPECT_EQ(state.Counts[0], c.counts) << c.counter;
        EXPECT_EQ(state.PointCounter, c.pointCounter) << c.point;
    }
}

TEST(DecodeStatusReply, LengthSwitchesBetweenShortAndLong) {
    // A 44-character reply while short replies are on switches them off and decodes as long.
    ReaderLinkState link = Link(2, 1, true);
    ReaderState state;
    const std::string longReply = "000010"
                                  "03"
                                  "05"
                                  "06"
                                  "0000"
                                  "0000000000000000"
                                  "FFFDFFFF"
                                  "0001";
    ASSERT_EQ(longReply.size(), 44U);
    EXPECT_TRUE(DecodeStatusReply(longReply, link, state));
    EXPECT_FALSE(link.ShortReplies);
    EXPECT_EQ(state.Position, 5);
    // A 10-character reply while they are off switches them on.
    EXPECT_TRUE(DecodeStatusReply("0000200406", link, state));
    EXPECT_TRUE(link.ShortReplies);
    EXPECT_EQ(state.Counts[0], 0x20);
    EXPECT_EQ(state.PointCounter, 4);
    EXPECT_EQ(state.StateCode, 6);
    EXPECT_EQ(state.Position, 5);
    // Any other length while short fails and leaves short replies on.
    EXPECT_FALSE(DecodeStatusReply("00003005060", link, state));
    EXPECT_TRUE(link.ShortReplies);
    EXPECT_EQ(state.Counts[0], 0x30); // decoded before the length check
}

TEST(DecodeStatusReply, BoundsOfStateCodeAndErrorBits) {
    struct Case {
        std::string state, errors;
        bool ok;
    };
    const std::vector<Case> cases = {
        {"0A", "0FFF", true},  {"0B", "0000", false}, {"FF", "0000", false},
        {"00", "1000", false}, {"00", "FFFF", false}, {"0a", "0fff", true},
    };
    for (const Case& c : cases) {
        ReaderLinkState link = Link(4, 1);
        ReaderState state;
        EXPECT_EQ(DecodeStatusReply(Reply6600("000000", "0000", c.state, c.errors), link, state),
                  c.ok)
            << c.state << " " << c.errors;
    }
    ReaderLinkState shortLink = Link(4, 1, true);
    ReaderState state;
    EXPECT_TRUE(DecodeStatusReply("00000000010A", shortLink, state));
    EXPECT_FALSE(DecodeStatusReply("00000000010B", shortLink, state));
    EXPECT_EQ(state.StateCode, 10); // an out-of-range value is not stored
}

TEST(DecodeStatusReply, AFailureKeepsTheFieldsDecodedBeforeIt) {
    ReaderLinkState link = Link(4, 1);
    ReaderState state;
    state.Timer = 99;
    std::string text = Reply6600("000123", "0042", "03", "0000");
    text[20] = 'Z'; // inside Data[1]
    EXPECT_FALSE(DecodeStatusReply(text, link, state));
    EXPECT_EQ(state.Counts[0], 0x123);
    EXPECT_EQ(state.PointCounter, 0x42);
    EXPECT_EQ(state.StateCode, 3);
    EXPECT_EQ(state.Data[0], 0x11);
    EXPECT_EQ(state.Data[1], 0);
    EXPECT_EQ(state.Timer, 99);
    EXPECT_TRUE(link.PurgeSyncPending);
}

TEST(DecodeStatusReply, SystemIdentificationChangesTheLayoutAtOnce) {
    // A 3550 reply (2-digit point counter) no longer decodes with the 6600 layout, and does so
    // as soon as the layout follows the identified type.
    ReaderLinkState link = Link(4, 1);
    ReaderState state;
    const std::string reply3550 = "000010"
                                  "03"
                                  "05"
                                  "06"
                                  "0000"
                                  "0000000000000000"
                                  "FFFDFFFF"
                                  "0001";
    EXPECT_FALSE(DecodeStatusReply(reply3550, link, state));
    link.setSystemType(3);
    EXPECT_TRUE(DecodeStatusReply(reply3550, link, state));
    EXPECT_EQ(state.PointCounter, 3);
}

TEST(DecodeStatusReply, ALongReplyCopiesThePurgeFlagOnce) {
    struct Case {
        std::string status;
        bool purge;
    };
    for (const Case& c : {Case{"FFDDFFFF", true}, Case{"FFFDFFFF", false}}) {
        ReaderLinkState link = Link(4, 1);
        link.PurgeSwitch = !c.purge;
        ReaderState state;
        ASSERT_TRUE(
            DecodeStatusReply(Reply6600("000000", "0000", "00", "0000", c.status), link, state));
        EXPECT_EQ(link.PurgeSwitch, c.purge);
        EXPECT_FALSE(link.PurgeSyncPending);
        // Later replies leave the operator's switch alone.
        link.PurgeSwitch = !c.purge;
        ASSERT_TRUE(
            DecodeStatusReply(Reply6600("000000", "0000", "00", "0000", c.status), link, state));
        EXPECT_EQ(link.PurgeSwitch, !c.purge);
    }
    // A short reply does not settle the sync.
    ReaderLinkState link = Link(4, 1, true);
    ReaderState state;
    ASSERT_TRUE(DecodeStatusReply("000000000100", link, state));
    EXPECT_TRUE(link.PurgeSyncPending);
}

TEST(ParseHexField, AcceptsOnlyHexDigits) {
    EXPECT_EQ(ParseHexField("00fF"), 0xFFU);
    EXPECT_EQ(ParseHexField("FFFFFFFF"), 0xFFFFFFFFU);
    EXPECT_FALSE(ParseHexField(""));
    EXPECT_FALSE(ParseHexField("+1"));
    EXPECT_FALSE(ParseHexField(" 1"));
    EXPECT_FALSE(ParseHexField("1FFFFFFFF"));
}

} // namespace
} // namespace gw
