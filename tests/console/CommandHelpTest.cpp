#include "console/CommandHelp.h"

#include "console/HelpNavigator.h"
#include "console/HelpTabs.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>

namespace gw {
namespace {

using namespace std::string_literals;

// A help file: the header byte, the tab stops, then records of letter, text and 0 byte.
std::string helpFile(const std::string& tabStops, const std::vector<std::string>& records) {
    std::string bytes = "\x07"s + tabStops + '\0';
    for (const std::string& record : records) {
        bytes += record + '\0';
    }
    return bytes;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find('\n', start);
        result.push_back(text.substr(start, end - start));
        if (end == std::string::npos) {
            return result;
        }
        start = end + 1;
    }
}

TEST(CommandHelp, ReadsHeaderRecordsTitlesAndPages) {
    const CommandHelp help = CommandHelp::parse(helpFile(
        "\x0A\x14", {"P\"Purge\"Purge gas\x01second page", "T\"Timer\"Reset", "Hno title"}));
    EXPECT_EQ(help.tabStops(), (std::vector<int>{10, 20}));
    EXPECT_EQ(help.commandLetters(), "PTH");
    ASSERT_EQ(help.lastTopic(), 3);
    const HelpEntry& purge = *help.topic(1);
    EXPECT_EQ(purge.title, "Purge");
    EXPECT_EQ(purge.text, "Purge gas\r\nsecond page");
    EXPECT_EQ(purge.lastPage(), 1);
    EXPECT_EQ(purge.pageText(0), "Purge gas");
    EXPECT_EQ(purge.pageText(1), "second page");
    EXPECT_EQ(help.topic(3)->title, "");
    EXPECT_EQ(help.topic(3)->text, "no title");
    EXPECT_EQ(help.topicOfLetter('T'), 2);
    EXPECT_EQ(help.topicOfLetter('Q'), 0);
}

TEST(CommandHelp, PageRulesAndOddRecords) {
    struct Case {
        const char* name;
        std::string record;
        std::string title;
        std::vector<std::string> pages;
    };
    const Case cases[] = {
        {"separator at the end adds no page", "Xa\x01", "", {"a"}},
        {"one quote only keeps the text", "Xsay \"hi", "", {"say \"hi"}},
        {"title in the middle", "Xab\"T\"cd", "T", {"abcd"}},
        {"empty text", "X", "", {""}},
        {"empty first page",
         "X\x01"
         "b",
         "",
         {"", "b"}},
        {"more than ten separators stay in the last page",
         "X0\x01"
         "1\x01"
         "2\x01"
         "3\x01"
         "4\x01"
         "5\x01"
         "6\x01"
         "7\x01"
         "8\x01"
         "9\x01"
         "10\x01"
         "11\x01"
         "12",
         "",
         {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10\r\n11\r\n12"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CommandHelp help = CommandHelp::parse(helpFile("", {c.record}));
        const HelpEntry& entry = *help.topic(1);
        EXPECT_EQ(entry.title, c.title);
        ASSERT_EQ(entry.pages.size(), c.pages.size());
        for (std::size_t i = 0; i < c.pages.size(); ++i) {
            EXPECT_EQ(entry.pageText(static_cast<int>(i)), c.pages[i]);
        }
    }
}

TEST(CommandHelp, DamagedFilesGiveWhatCanBeRead) {
    // More than eleven tab stops: the rest of the header is skipped.
    const CommandHelp many = CommandHelp::parse(
        helpFile("\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x0B\x0C\x0D", {"Aa"}));
    EXPECT_EQ(many.tabStops().size(), 11u);
    EXPECT_EQ(many.commandLetters(), "A");
    // A record cut off before its 0 byte is dropped; an empty record is skipped.
    const CommandHelp cut = CommandHelp::parse("\x07\x05"s + '\0' + "Aa"s + '\0' + '\0' + "Bb");
    EXPECT_EQ(cut.commandLetters(), "A");
    EXPECT_TRUE(CommandHelp::parse("").empty());
    const CommandHelp headerOnly = CommandHelp::parse("\x07");
    EXPECT_EQ(headerOnly.lastTopic(), 0);
}

TEST(CommandHelp, CommandListHasTwoColumnsOfSixteenRows) {
    const CommandHelp help =
        CommandHelp::parse(helpFile("", {"P\"Purge\"x", "@\"Heater set point\"y"}));
    const std::vector<std::string> list = lines(ExpandHelpTabs(help.topic(0)->text, {}));
    ASSERT_EQ(list.size(), 18u);
    EXPECT_EQ(list[0], "     List of string commands");
    EXPECT_EQ(list[1], "");
    EXPECT_EQ(list[2], "@ Heater set point P Purge            ");
    EXPECT_EQ(list[3], "A - reserved       Q - reserved       ");
    EXPECT_EQ(list[17], "O - reserved       _ - reserved       ");
    EXPECT_EQ(help.topic(0)->lastPage(), 0);
    // A title too long for its cell keeps the second column in place.
    const CommandHelp longTitle =
        CommandHelp::parse(helpFile("", {"@\"A very long title indeed\"y"}));
    EXPECT_EQ(lines(longTitle.topic(0)->text)[2].substr(18, 2), " P");
}

TEST(CommandHelp, LoadTellsAMissingFile) {
    EXPECT_FALSE(CommandHelp::load("/nonexistent/Command.info").has_value());
    const std::string path = ::testing::TempDir() + "Command.info";
    std::ofstream(path, std::ios::binary) << helpFile("\x05", {"Zstop"});
    const std::optional<CommandHelp> help = CommandHelp::load(path);
    ASSERT_TRUE(help.has_value());
    EXPECT_EQ(help->commandLetters(), "Z");
    std::remove(path.c_str()); // a console started in the temporary folder would read it
}

TEST(HelpTabs, ExpandsToTheNextStop) {
    struct Case {
        std::string text;
        std::vector<int> stops;
        std::string expanded;
    };
    const Case cases[] = {
        {"abc\tx", {10, 20}, "abc      x"},              // TAB at 4: six blanks
        {"abc\tx\ty", {10, 20}, "abc      x         y"}, // second TAB at 11: nine blanks
        {"\tx", {1, 5}, "x"},                            // a stop at the TAB's own column
        {"abcdefghijklmnopqrstuvwxyz\tx", {10, 20}, "abcdefghijklmnopqrstuvwxyz x"}, // no stop
        {"a\tb", {}, "a b"},
        {"a\tb\r\nc\td", {5}, "a   b\nc   d"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ExpandHelpTabs(c.text, c.stops), c.expanded);
    }
}

class HelpNavigatorTest : public ::testing::Test {
protected:
    CommandHelp help = CommandHelp::parse(
        helpFile("\x0A", {"P\"Purge\"one\x01two\x01three", "T\"Timer\"t\tx", "H\"HV\"h"}));
    HelpNavigator nav{help};
};

TEST_F(HelpNavigatorTest, FollowsTypedLetters) {
    EXPECT_TRUE(nav.followLetter('T'));
    EXPECT_EQ(nav.topic(), 2);
    EXPECT_EQ(nav.pageText(), "t        x");
    EXPECT_FALSE(nav.followLetter('T'));
    EXPECT_TRUE(nav.followLetter('Q')); // no command: back to the list
    EXPECT_EQ(nav.topic(), 0);
    EXPECT_FALSE(nav.followLetter('@'));
}

TEST_F(HelpNavigatorTest, KeysMoveTopicsAndPages) {
    nav.followLetter('P');
    EXPECT_FALSE(nav.canGoBack());
    EXPECT_TRUE(nav.canGoForward());
    EXPECT_TRUE(nav.nextPage());
    EXPECT_TRUE(nav.nextPage());
    EXPECT_FALSE(nav.nextPage());
    EXPECT_EQ(nav.pageText(), "three");
    EXPECT_FALSE(nav.canGoForward());
    EXPECT_TRUE(nav.nextTopic(false));
    EXPECT_EQ(nav.topic(), 2);
    EXPECT_EQ(nav.page(), 0);
    EXPECT_FALSE(nav.hasSeveralPages());
    EXPECT_FALSE(nav.nextPage());
    EXPECT_TRUE(nav.nextTopic(true));
    EXPECT_EQ(nav.topic(), 3);
    EXPECT_FALSE(nav.nextTopic(false));
    EXPECT_TRUE(nav.previousTopic(true));
    EXPECT_EQ(nav.topic(), 0);
    EXPECT_FALSE(nav.previousTopic(false));
}

TEST_F(HelpNavigatorTest, ClicksInTheCommandListOpenTopics) {
    EXPECT_TRUE(nav.clickAt(3, 25)); // first row, second column: P
    EXPECT_EQ(nav.topic(), 1);
    EXPECT_FALSE(nav.clickAt(3, 25)); // only the list answers clicks
    nav.showTopic(0);
    EXPECT_FALSE(nav.clickAt(3, 2)); // "@ - reserved"
    EXPECT_TRUE(nav.clickAt(11, 1)); // row 9: H
    EXPECT_EQ(nav.topic(), 3);
    nav.showTopic(0);
    EXPECT_FALSE(nav.clickAt(1, 1));
    EXPECT_FALSE(nav.clickAt(19, 1));
}

TEST(HelpNavigator, EmptyHelpShowsNothingAndNeverMoves) {
    const CommandHelp help;
    HelpNavigator nav(help);
    EXPECT_EQ(nav.pageText(), "");
    EXPECT_FALSE(nav.followLetter('P'));
    EXPECT_FALSE(nav.nextTopic(true));
    EXPECT_FALSE(nav.clickAt(3, 1));
}

} // namespace
} // namespace gw
