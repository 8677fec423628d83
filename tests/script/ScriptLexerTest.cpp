#include "script/ScriptLexer.h"

#include "script/ScriptNumbers.h"
#include "script/ScriptWords.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace gw {
namespace {

std::vector<std::string> AllTokens(const std::string& line) {
    std::vector<std::string> tokens;
    std::size_t pos = 1;
    for (std::string token = NextToken(line, pos); !token.empty(); token = NextToken(line, pos)) {
        tokens.push_back(token);
    }
    return tokens;
}

TEST(ScriptLexer, SplitsTokensAtSeparatorsAndKeepsQuotedTextWhole) {
    struct Case {
        std::string line;
        std::vector<std::string> tokens;
    };
    const std::vector<Case> cases = {
        {"TL(100, 5,\"a b\",2)", {"TL", "100", "5", "\"a b\"", "2"}},
        {"  \t(,) ", {}},
        {"", {}},
        {"LOOP DISKS #3", {"LOOP", "DISKS", "#3"}},
        {"say\"open (x, y", {"say\"open (x, y"}},
        {"a\"b c\"d e", {"a\"b c\"d", "e"}},
        {"-&DOSES,#2", {"-&DOSES", "#2"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AllTokens(c.line), c.tokens) << c.line;
        EXPECT_EQ(CountTokens(c.line), static_cast<int>(c.tokens.size())) << c.line;
    }
}

TEST(ScriptLexer, NextTokenLeavesPositionAfterTheEndingSeparator) {
    const std::string line = "ab, cd";
    std::size_t pos = 1;
    std::size_t start = 99;
    EXPECT_EQ(NextToken(line, pos, start), "ab");
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(pos, 4u); // after the ','
    EXPECT_EQ(NextToken(line, pos, start), "cd");
    EXPECT_EQ(start, 4u);
    EXPECT_EQ(pos, line.size() + 1);
    EXPECT_EQ(NextToken(line, pos, start), "");
}

TEST(ScriptLexer, WordMatchLooksOnlyAtTheFirstOccurrence) {
    struct Case {
        std::string word;
        std::string line;
        bool contained;
    };
    const std::vector<Case> cases = {
        {"LOOP", "END LOOP", true},
        {"LOOP", "XLOOP LOOP", false},
        {"END LOOP", "END LOOPS", true},
        {"LOOP", "LOOPS", true},
        {"LOOP", "  LOOPS", false},
        {"LOOP", "(LOOP)", true},
        {"LOOP", "a,LOOP", true},
        {"LOOP", "a LOOP", true},
        {"LOOP", "a LOOPx", false},
        {"LIST", "LIST DOSES", true},
        {"END GLOBAL", "  END GLOBAL", true},
        {"END GLOBAL", "END  GLOBAL", false},
        {"LOOP", "", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ContainsWord(c.word, c.line), c.contained) << c.word << " in " << c.line;
    }
}

TEST(ScriptLexer, QuotedTextNeedsTwoQuotes) {
    EXPECT_EQ(QuotedText("METHOD TEMPLATE \"SAR example\" x"), "SAR example");
    EXPECT_EQ(QuotedText("a \"b\" \"c\""), "b");
    EXPECT_EQ(QuotedText("only \"one"), "");
    EXPECT_EQ(QuotedText("none"), "");
    EXPECT_EQ(QuotedText("\"\""), "");
}

TEST(ScriptLexer, TrimsRemoveBlanksAndControlCharacters) {
    EXPECT_EQ(TrimBoth("\t \x01 a b \r\n"), "a b");
    EXPECT_EQ(TrimLeft("  a  "), "a  ");
    EXPECT_EQ(TrimRight("  a \x1f"), "  a");
    EXPECT_EQ(TrimBoth("   "), "");
}

TEST(ScriptLexer, TakeGroupRunsToTheLastBalancingParenthesis) {
    struct Case {
        std::string text;
        std::string group;
        std::string rest;
    };
    const std::vector<Case> cases = {
        {"(1,2), OSL(3))", "(1,2), OSL(3)", ")"},
        {"(5, PHTEMP, 10, 20)", "(5, PHTEMP, 10, 20)", ""},
        {"TL(1,2) \t, next", "(1,2)", "next"},
        {"abc", "a", "bc"},
        {"", "", ""},
        {"(1,2", "(1,2", ""},
        {") (1)", "(1)", ""},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(TakeGroup(text), c.group) << c.text;
        EXPECT_EQ(text, c.rest) << c.text;
    }
}

TEST(ScriptWords, TablesAreExactAndCaseSensitive) {
    EXPECT_TRUE(IsReservedWord("SINGLE_ALIQUOT"));
    EXPECT_TRUE(IsReservedWord("INFO"));
    EXPECT_FALSE(IsReservedWord("Info"));
    EXPECT_FALSE(IsReservedWord("TL"));
    EXPECT_TRUE(IsModifier("IGNORE"));
    EXPECT_FALSE(IsModifier("TL"));
    const std::vector<std::pair<std::string, int>> counts = {
        {"TL", 6},    {"TLBGD", 3}, {"OSL", 6},    {"PREHEAT", 4}, {"BLEACH", 4},
        {"IRRAD", 4}, {"NORM", 0},  {"BGD", 0},    {"NODATA", 0},  {"MOSL", 4},
        {"NATL", 0},  {"DOSL", 11}, {"DMOSL", 11}, {"IGNORE", -1}, {"tl", -1}};
    for (const auto& [word, count] : counts) {
        EXPECT_EQ(CommandArgumentCount(word), count) << word;
    }
    EXPECT_EQ(CutName("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), "ABCDEFGHIJKLMNOPQRST");
}

TEST(ScriptNumbers, RealAndIntegerSyntaxIgnoresTheLocale) {
    const std::vector<std::pair<std::string, std::optional<double>>> reals = {
        {"160", 160.0},    {"-2.5", -2.5}, {"+.5", 0.5},   {"5.", 5.0}, {"1E3", 1000.0},
        {"1.5e-2", 0.015}, {"2,5", {}},    {"", {}},       {".", {}},   {"1E", {}},
        {"E5", {}},        {"1 ", {}},     {"PHTEMP", {}}, {"3*4", {}}, {"1e999", {}}};
    for (const auto& [text, value] : reals) {
        EXPECT_EQ(ParseScriptReal(text), value) << text;
    }
    const std::vector<std::pair<std::string, std::optional<int>>> integers = {
        {"3", 3}, {"-4", -4}, {"+7", 7}, {"", {}}, {"2.0", {}}, {"x", {}}, {"99999999999", {}}};
    for (const auto& [text, value] : integers) {
        EXPECT_EQ(ParseScriptInteger(text), value) << text;
    }
}

TEST(ScriptNumbers, GeneralFormatKeepsTenSignificantDigits) {
    EXPECT_EQ(FormatGeneral(160), "160");
    EXPECT_EQ(FormatGeneral(2.5), "2.5");
    EXPECT_EQ(FormatGeneral(1.0 / 3.0), "0.3333333333");
    EXPECT_EQ(FormatGeneral(1e20), "1E20");
    EXPECT_EQ(FormatGeneral(-1.5e-6), "-1.5E-6");
}

} // namespace
} // namespace gw
