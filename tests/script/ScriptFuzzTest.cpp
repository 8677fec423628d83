#include "CompileHelper.h"
#include "script/ScriptListings.h"

#include <gtest/gtest.h>
#include <random>

namespace gw {
namespace {

using test::Lines;

// Whole scripts the mutations start from: every block, loop and substitution form.
std::vector<std::string> Seeds() {
    return {
        Lines({"METHOD TEMPLATE \"SAR example\"",
               "INFO \"Regenerative doses\"",
               "GLOBAL",
               "PHTEMP = 160",
               "LIST DOSES = 0, 10#2, 20#3",
               "Dose = ?",
               "END GLOBAL",
               "SEQUENCE",
               "MEASURE = (PREHEAT(5, PHTEMP, 10, 20)",
               "OSL(0, 90, 125, 40, 0, 0))",
               "TWICE = (NORM MEASURE",
               "BGD TLBGD(5, 450, 0))",
               "END SEQUENCE",
               "METHOD SINGLE_ALIQUOT",
               "SAMPLE \"quartz\"",
               "LOOP DISKS #2",
               "LOOP DOSES",
               "IRRAD(3, 0, 20, &DOSES)",
               "MEASURE",
               "END LOOP",
               "END LOOP",
               "END METHOD"}),
        Lines({"comment",
               "METHOD DEFINITION \"Def\"",
               "OPEN \"x.txt\"",
               "GLOBAL",
               "Pair = (1,",
               "2)",
               "LIST X = ()",
               "LIST Y = ?, 5\"five\"",
               "END GLOBAL",
               "METHOD",
               "SORT_BY_DOSE",
               "LOOP X",
               "LOOP DISKS",
               "TL(5, -&X, 0, 450, 0, Pair)",
               "NATL NODATA",
               "END LOOP",
               "END LOOP",
               "LOOP DISKS #3",
               "DOSL(0, 50, 125, 0.1, 100, 0.5, 50, 1, 0, 1, 0)",
               "END LOOP",
               "END METHOD"}),
        Lines({"METHOD", "SEQUENCE", "A = (TL(5, 0, 0, 450, 0, 0)),B = (A", "IRRAD(0, 0, 20, 5))",
               "END SEQUENCE", "METHOD USE_SCANNER", "LOOP DISKS #1", "B", "END LOOP",
               "END METHOD"}),
    };
}

// Characters that steer the lexer and the grammar, plus a few that must never matter.
const std::string Significant = "()(),,\"\"#&-?=*. \t\r\n\r\n0123456789ELOPDISKSTN\x01\xff";

std::string Mutate(const std::vector<std::string>& seeds, std::mt19937& random) {
    auto pick = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n)(random);
    };
    std::string text = seeds[pick(seeds.size() - 1)];
    const std::size_t steps = 1 + pick(6);
    for (std::size_t step = 0; step < steps && !text.empty(); ++step) {
        const std::size_t at = pick(text.size() - 1);
        switch (pick(6)) {
        case 0: // cut a piece out
            text.erase(at, pick(40));
            break;
        case 1: { // splice in a piece of another seed
            const std::string& other = seeds[pick(seeds.size() - 1)];
            const std::size_t from = pick(other.size() - 1);
            text.insert(at, other.substr(from, pick(120)));
            break;
        }
        case 2: // corrupt one character
            text[at] = Significant[pick(Significant.size() - 1)];
            break;
        case 3: // insert a significant character
            text.insert(text.begin() + static_cast<std::ptrdiff_t>(at),
                        Significant[pick(Significant.size() - 1)]);
            break;
        case 4: // keep only a head or a tail
            text = pick(1) == 0 ? text.substr(0, at) : text.substr(at);
            break;
        case 5: // a NUL now and then
            text[at] = pick(20) == 0 ? '\0' : text[at];
            break;
        default: // double a stretch (more loops, more lines)
            text.insert(at, text.substr(at, pick(200)));
            break;
        }
    }
    return text;
}

struct Outcome {
    bool error = false;
    std::string message;
    std::size_t offset = 0;
    std::size_t disks = 0;
};

Outcome CompileOnce(const std::string& text, int answers) {
    auto script = CreateScript(text, "fuzz.gws", DefaultProfile(4));
    LastLinePosition position;
    script->text.SetPositionSink(&position);
    ScriptedPrompter prompter;
    for (int i = 0; i < answers; ++i) {
        prompter.numbers.push_back(1.5 * i);
    }
    ScriptCompiler(*script, prompter,
                   {.maxCommands = 20000, .maxDisks = 2000, .maxBodyLines = 100000})
        .Compile();
    // The listings read whatever the compiler left behind.
    const std::size_t listed = ListDisks(*script).size() + ListVariables(*script).size() +
                               ListSequences(*script).size() + ListLists(*script).size();
    EXPECT_GT(listed, 0u);
    return {script->error, script->errorMessage, position.Offset(), script->Disks().disks.Size()};
}

TEST(ScriptFuzz, MutatedScriptsAlwaysEndAndReportErrorsTheSameWay) {
    const std::vector<std::string> seeds = Seeds();
    for (const std::string& seed : seeds) {
        ASSERT_FALSE(CompileOnce(seed, 0).error) << seed;
    }
    std::mt19937 random(20261209);
    int errors = 0;
    for (int round = 0; round < 4000; ++round) {
        const std::string text = Mutate(seeds, random);
        const int answers = static_cast<int>(random() % 3);
        const Outcome first = CompileOnce(text, answers);
        if (first.error) {
            ++errors;
            ASSERT_FALSE(first.message.empty()) << text;
            EXPECT_EQ(first.message.front(), ' ') << first.message;
            ASSERT_LE(first.offset, text.size()) << text;
            // An error points at the start of a line, or where reading went on after a sequence
            // definition.
            if (first.offset > 0) {
                EXPECT_NE(std::string("\r\n\t ,)").find(text[first.offset - 1]), std::string::npos)
                    << first.message << " at " << first.offset << " in\n"
                    << text;
            }
        }
        const Outcome again = CompileOnce(text, answers);
        EXPECT_EQ(again.error, first.error);
        EXPECT_EQ(again.message, first.message);
        EXPECT_EQ(again.offset, first.offset);
        EXPECT_EQ(again.disks, first.disks);
    }
    // The mutations reach both outcomes.
    EXPECT_GT(errors, 400);
    EXPECT_LT(errors, 3600);
}

TEST(ScriptFuzz, RandomBytesNeverHang) {
    std::mt19937 random(7);
    const std::vector<std::string> words = {"METHOD",       "GLOBAL",     "END GLOBAL", "SEQUENCE",
                                            "END SEQUENCE", "LOOP",       "END LOOP",   "DISKS",
                                            "LIST",         "END METHOD", "INFO \"",    "TL(",
                                            "IRRAD",        "NORM",       "="};
    for (int round = 0; round < 1500; ++round) {
        std::string text;
        const int pieces = static_cast<int>(random() % 60);
        for (int i = 0; i < pieces; ++i) {
            text += random() % 2 == 0 ? words[random() % words.size()]
                                      : std::string(1, Significant[random() % Significant.size()]);
            text += random() % 3 == 0 ? "\r\n" : " ";
        }
        const Outcome outcome = CompileOnce(text, 1);
        EXPECT_TRUE(!outcome.error || !outcome.message.empty()) << text;
    }
}

} // namespace
} // namespace gw
