#include "sim/SimCommandParser.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

std::string describe(const std::vector<SimCommand>& commands) {
    std::string text;
    for (const SimCommand& command : commands) {
        text += command.malformed ? "!" : "";
        text += command.letter == 0 ? '#' : command.letter;
        for (long arg : command.args) {
            text += ":" + std::to_string(arg);
        }
        text += ' ';
    }
    return text;
}

TEST(SimCommandParser, CutsCommandTextsIntoCommands) {
    const struct {
        const char* bytes;
        const char* expected;
    } cases[] = {
        {"M O0 P0 ", "M O:0 P:0 "},
        {"E500 10 W0 0 S160 10 D1 L50 R5 G1 ", "E:500:10 W:0:0 S:160:10 D:1 L:50 R:5 G:1 "},
        {"T0 \r", "T:0 "},
        {"T21 3 ", "T:21:3 "},
        {"T22 4 250 ", "T:22:4:250 "},
        {"T23 1 U819 2 0 ", "T:23:1 U:819:2:0 "},
        {"B1 10 1 100 4 250 40 250 \r", "B:1:10:1:100:4:250:40:250 "},
        {"X255 255 90 0 \r", "X:255:255:90:0 "},
        {"@125 O1 ", "@:125 O:1 "},
        {"P1 @0 O1 ", "P:1 @:0 O:1 "},
        {"N0 2 \r", "N:0:2 "},
        {"I120 4 ", "I:120:4 "},
        {"Q17 \r", "Q:17 "},
        {"M H0 O0 P0 V0 C0 J0 ", "M H:0 O:0 P:0 V:0 C:0 J:0 "},
        {"Z ", "Z "},
        {"Ax ", "!A:0 "},
        {"42 ", "!# "},
        {"A ", ""}, // waits for its argument
    };
    for (const auto& c : cases) {
        SimCommandParser parser;
        EXPECT_EQ(describe(parser.feed(c.bytes)), c.expected) << c.bytes;
    }
}

TEST(SimCommandParser, CommandsMayArriveInPieces) {
    SimCommandParser parser;
    EXPECT_EQ(describe(parser.feed("T2")), "");
    EXPECT_EQ(describe(parser.feed("2 4 ")), "");
    EXPECT_TRUE(parser.hasPending());
    EXPECT_EQ(describe(parser.feed("250 A")), "T:22:4:250 ");
    EXPECT_EQ(describe(parser.feed("12 ")), "A:12 ");
}

TEST(SimCommandParser, AnUnfinishedCommandIsFlushedAsMalformed) {
    SimCommandParser parser;
    parser.feed("E500 ");
    EXPECT_EQ(describe(parser.flush()), "!E:500 ");
    EXPECT_FALSE(parser.hasPending());
}

} // namespace
} // namespace gw
