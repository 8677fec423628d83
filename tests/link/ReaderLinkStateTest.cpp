#include "link/ReaderLinkState.h"

#include "link/ReaderErrorBits.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

TEST(ApplyT23Rule, PassesShortDataOnlyWhereAllowed) {
    struct Case {
        std::string text;
        bool allowed;
        bool shortBefore;
        std::string sent;
        bool shortAfter;
    };
    const std::vector<Case> cases = {
        {"T23 1 ", true, false, "T23 1 ", true},
        {"T23 1 ", false, false, "", false},
        {"T23 1 U819 2 0 ", false, false, "U819 2 0 ", false},
        {"T23 1 U819 2 0 ", true, false, "T23 1 U819 2 0 ", true},
        {"T23 0 ", true, true, "T23 0 ", false},
        {"T23 0 ", false, true, "", true},
        {"M O0 T23 0 P0 ", false, false, "M O0 P0 ", false},
        {"T23 1 T23 0 ", true, false, "T23 1 T23 0 ", false},
        {"T23 1 A1 T23 1 ", false, false, "A1 ", false},
        {"T23 2 ", true, false, "T23 2 ", false},
        {"T231 ", true, false, "T231 ", false},
        {"P1 ", true, true, "P1 ", true},
    };
    for (const Case& c : cases) {
        ReaderLinkState link;
        link.ShortReplies = c.shortBefore;
        EXPECT_EQ(ApplyT23Rule(c.text, c.allowed, link), c.sent) << c.text;
        EXPECT_EQ(link.ShortReplies, c.shortAfter) << c.text;
    }
}

TEST(CounterChannelsRequest, ReadsTheNumberAfterT21) {
    const std::vector<std::pair<std::string, std::optional<int>>> cases = {
        {"T21 2 ", 2},   {"T21   3 ", 3}, {"P1 T21 4 ", 4}, {"T21 0 ", 0},
        {"T21 9 ", 9},   {"T21 -1 ", {}}, {"T21 x ", {}},   {"T21 ", {}},
        {"T21 2x ", {}}, {"T22 2 ", {}},  {"T21 12", 12},   {"T21 99999999999 ", {}},
    };
    for (const auto& [text, request] : cases) {
        EXPECT_EQ(CounterChannelsRequest(text), request) << text;
    }
}

TEST(ReaderLinkState, CounterChannelsAndSystemTypeRederiveTheLayout) {
    struct Case {
        int system, channels, keptChannels, longLength, shortLength;
    };
    for (const Case& c : {Case{4, 0, 1, 46, 12}, Case{4, 9, 4, 64, 30}, Case{2, 3, 3, 56, 22},
                          Case{0, -5, 1, 44, 10}}) {
        ReaderLinkState link;
        link.SetCounterChannels(c.channels);
        link.setSystemType(c.system);
        EXPECT_EQ(link.layout.CounterChannels, c.keptChannels);
        EXPECT_EQ(link.layout.LongLength, c.longLength);
        EXPECT_EQ(link.layout.ShortLength, c.shortLength);
        EXPECT_EQ(link.systemType(), c.system);
    }
}

TEST(ReaderErrorBits, SeriousErrorsAreAllButRampSerialAndOverflow) {
    for (int bit = 0; bit < ReaderErrorCount; ++bit) {
        const bool harmless = bit == 2 || bit == 9 || bit == 10;
        EXPECT_EQ(HasSeriousError(1 << bit), !harmless) << bit;
    }
    EXPECT_EQ(ReaderErrorWord(ReaderError::PositionSync), " position sync");
    EXPECT_TRUE(ReaderErrorLines(0x004).empty());
    EXPECT_EQ(ReaderErrorLines(0x006).size(), 2U);
}

} // namespace
} // namespace gw
