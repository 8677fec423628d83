#include "console/CommandHelpSource.h"

#include "console/CommandHelp.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace gw {
namespace {

TEST(CommandHelpSource, BuildsAFileTheReaderReadsBack) {
    const CommandHelpSource::Result result = CommandHelpSource::build(
        "# comment\n%tabs 4 14\n\n%entry P Purge\nP1  purge on\r\n\tP0 \toff\n\n"
        "%entry T Timer\nfirst\n%page\nsecond\n\n");
    ASSERT_TRUE(result.ok) << result.error;
    const CommandHelp help = CommandHelp::parse(result.bytes);
    EXPECT_EQ(help.tabStops(), (std::vector<int>{4, 14}));
    EXPECT_EQ(help.commandLetters(), "PT");
    EXPECT_EQ(help.topic(1)->title, "Purge");
    EXPECT_EQ(help.topic(1)->text, "P1  purge on\r\n\tP0 \toff");
    EXPECT_EQ(help.topic(2)->lastPage(), 1);
    EXPECT_EQ(help.topic(2)->pageText(1), "second");
}

TEST(CommandHelpSource, RejectsWhatTheFileCannotHold) {
    struct Case {
        const char* source;
        const char* error;
    };
    const Case cases[] = {
        {"%tabs 5 3\n", "line 1: tab stops must ascend within 1 ... 255"},
        {"%tabs 1 2 3 4 5 6 7 8 9 10 11 12\n", "line 1: more than eleven tab stops"},
        {"%tabs x\n", "line 1: tab stop \"x\" is no number"},
        {"text\n", "line 1: help text before the first %entry"},
        {"%entry\n", "line 1: %entry needs a command letter"},
        {"%entry A a\n%entry A b\n", "line 2: second entry for the letter A"},
        {"%entry A An overly long title\n",
         "line 1: title \"An overly long title\" is longer than 16 characters"},
        {"%entry A "
         "x\n%page\n%page\n%page\n%page\n%page\n%page\n%page\n%page\n%page\n%page\n%page\n",
         "line 12: more than eleven pages"},
        {"%entry A x\na\x01"
         "b\n",
         "line 2: control bytes 00h and 01h cannot be help text"},
        {"%bogus\n", "line 1: unknown directive \"%bogus\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        const CommandHelpSource::Result result = CommandHelpSource::build(c.source);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.error, c.error);
    }
}

// The help built beside gwconsole.
CommandHelp ShippedHelp() {
    std::ifstream in(GW_BINARY_DIR "/Command.info", std::ios::binary);
    EXPECT_TRUE(in) << "Command.info was not built beside gwconsole";
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return CommandHelp::parse(bytes);
}

// The help shipped beside gwconsole covers every command the console sends and the scanner.
TEST(CommandHelpSource, ShippedHelpCoversTheCommandCatalogue) {
    const CommandHelp help = ShippedHelp();
    for (char letter : std::string("@ABCDEGHIJKLMNOPQRSTUVWXZ]")) {
        SCOPED_TRACE(letter);
        const int topic = help.topicOfLetter(letter);
        ASSERT_GT(topic, 0);
        EXPECT_FALSE(help.topic(topic)->title.empty());
        EXPECT_FALSE(help.topic(topic)->text.empty());
        // The whole title shows in the command list, followed by a blank.
        const std::string cell = std::string(1, letter) + ' ' + help.topic(topic)->title + ' ';
        EXPECT_NE(help.topic(0)->text.find(cell), std::string::npos);
    }
}

// Page Down goes to the next topic; the Down arrow turns the pages of one.
TEST(CommandHelpSource, ShippedHelpNamesTheKeyThatTurnsItsPages) {
    int pagesWithMore = 0;
    const CommandHelp help = ShippedHelp();
    for (const HelpEntry& entry : help.entries()) {
        for (int page = 0; page < entry.lastPage(); ++page) {
            SCOPED_TRACE(std::string(1, entry.letter) + " page " + std::to_string(page));
            const std::string text = entry.pageText(page);
            EXPECT_EQ(text.find("Page Down"), std::string::npos);
            EXPECT_NE(text.find("Down arrow"), std::string::npos);
            ++pagesWithMore;
        }
    }
    EXPECT_GT(pagesWithMore, 0);
}

} // namespace
} // namespace gw
