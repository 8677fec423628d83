#include "CompileHelper.h"
#include "script/ScriptListings.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

using test::CommandTexts;
using test::CompileText;
using test::Lines;

TEST(ScriptCompiler, WorkedExampleMakesTwoDisksOfNineCommands) {
    const auto compiled = CompileText(Lines(test::WorkedExampleLines));
    const sc_Script& s = *compiled.script;
    ASSERT_FALSE(s.error) << s.errorMessage;
    EXPECT_TRUE(s.done);
    EXPECT_TRUE(s.isTemplate);
    EXPECT_FALSE(s.definition);
    EXPECT_EQ(s.methodName, "SAR example");
    EXPECT_EQ(s.infoText, "Regenerative doses on two aliquots");
    EXPECT_EQ(s.sampleText, "quartz");
    EXPECT_TRUE(s.singleAliquot);
    EXPECT_TRUE(s.master.commands.Empty());
    std::vector<std::string> expected;
    for (const char* dose : {"0", "10", "20"}) {
        expected.push_back(std::string("IRRAD(3, 0, 20, ") + dose + ")");
        expected.push_back("PREHEAT(5, 160, 10, 20)");
        expected.push_back("OSL(0, 90, 125, 40, 0, 0)");
    }
    ASSERT_EQ(s.Disks().disks.Size(), 2u);
    int number = 1;
    for (const sc_Item& disk : s.Disks().disks) {
        EXPECT_EQ(disk.name, "Disk#" + std::to_string(number));
        EXPECT_EQ(disk.number, number++);
        EXPECT_EQ(CommandTexts(disk), expected);
    }
    // The declared sequence keeps its variable unsubstituted.
    EXPECT_EQ(
        CommandTexts(*s.sequences.First()),
        (std::vector<std::string>{"PREHEAT(5, PHTEMP, 10, 20)", "OSL(0, 90, 125, 40, 0, 0)"}));
}

struct ErrorCase {
    const char* what;
    std::vector<std::string> lines;
    std::string message;
    int line;
};

TEST(ScriptCompiler, EveryMessagePointsAtItsLine) {
    const std::vector<ErrorCase> cases = {
        {"top-level SAMPLE", {"METHOD", "SAMPLE \"x\"", "x"}, " Unknown keyword SAMPLE ", 2},
        {"top-level SCRIPT", {"METHOD", "SCRIPT", "x"}, " Unknown keyword SCRIPT ", 2},
        {"top-level LOOP", {"METHOD", "LOOP X", "x"}, " Unexpected keyword LOOP ", 2},
        {"comment in body",
         {"METHOD", "METHOD", "a comment", "END METHOD"},
         " Unknown keyword a ",
         3},
        {"GLOBAL in body",
         {"METHOD", "METHOD", "", "GLOBAL", "END METHOD"},
         " Unexpected keyword GLOBAL ",
         4},
        {"blank in name",
         {"METHOD", "GLOBAL", "A B = 1", "END GLOBAL", "x"},
         " Expected END GLOBAL ",
         3},
        {"GLOBAL to the end", {"METHOD", "GLOBAL", "A = 1"}, " Not found END GLOBAL ", 3},
        {"END GLOBAL last",
         {"METHOD", "GLOBAL", "A = 1", "END GLOBAL"},
         " Not found END GLOBAL ",
         4},
        {"redeclared variable",
         {"METHOD", "GLOBAL", "A = 1", "A = 2", "END GLOBAL", "x"},
         " Redeclared identifier A ",
         4},
        {"sequence without =",
         {"METHOD", "SEQUENCE", "S (TL(1,2,3,4,5,6))", "END SEQUENCE", "x"},
         " Missing '=' sign ",
         3},
        {"sequence blank name",
         {"METHOD", "SEQUENCE", "A B = (TL(1,2,3,4,5,6))", "END SEQUENCE", "x"},
         " Invalid or missing identifier ",
         3},
        {"redeclared sequence",
         {"METHOD", "SEQUENCE", "S = (NATL NORM)", "S = (NATL NORM)", "END SEQUENCE", "x"},
         " Redeclared identifier S ",
         4},
        {"unclosed definition",
         {"METHOD", "SEQUENCE", "S = (", "TL(1,2,3,4,5,6)"},
         " Unexpected end of script ",
         4},
        {"blank line in definition",
         {"METHOD", "SEQUENCE", "S = (TL(1,2,3,4,5,6)", "   ", "TL(1,2,3,4,5,6))", "END SEQUENCE",
          "x"},
         " Unexpected end of script ",
         4},
        {"unknown item",
         {"METHOD", "SEQUENCE", "S = (", "  FOO(1))", "END SEQUENCE", "x"},
         " Unknown identefier FOO ",
         4},
        {"too many",
         {"METHOD", "SEQUENCE", "S = (TLBGD(1,2,3,4))", "END SEQUENCE", "x"},
         " Too many arguments ",
         3},
        {"too few",
         {"METHOD", "SEQUENCE", "S = (", "TLBGD(1,2))", "END SEQUENCE", "x"},
         " Too few arguments ",
         4},
        {"invalid argument",
         {"METHOD", "SEQUENCE", "S = (TLBGD(1,2,X3))", "END SEQUENCE", "x"},
         " Invalid argument X3",
         3},
        {"list needs &",
         {"METHOD", "GLOBAL", "LIST L = 1", "END GLOBAL", "SEQUENCE", "S = (TLBGD(1,2,L))",
          "END SEQUENCE", "x"},
         " Invalid argument L",
         6},
        {"sequence to the end",
         {"METHOD", "SEQUENCE", "NAME = TL", "END SEQUENCE", "x"},
         " Not found END SEQUENCE ",
         3},
        {"no END METHOD", {"METHOD", "METHOD", "NO_SORT", "", "  "}, " Not found END METHOD ", 5},
        {"no END LOOP",
         {"METHOD", "METHOD", "LOOP DISKS", "TL(1,2,3,4,5,6)", "END METHOD"},
         " Not found END LOOP to match LOOP ",
         3},
        {"modifier before LOOP",
         {"METHOD", "METHOD", "LOOP DISKS", "NORM LOOP DISKS", "END LOOP", "END LOOP",
          "END METHOD"},
         " Expected LOOP ",
         4},
        {"unknown loop list",
         {"METHOD", "METHOD", "LOOP Q", "END LOOP", "END METHOD"},
         " Unknown identefier Q ",
         3},
        {"unknown symbol",
         {"METHOD", "METHOD", "LOOP DISKS #1", "FOO(1)", "END LOOP", "END METHOD"},
         " Unknown symbol FOO ",
         4},
        {"blank body line",
         {"METHOD", "METHOD", "LOOP DISKS #1", "  ", "END LOOP", "END METHOD"},
         " Unknown symbol  ",
         4},
        {"too many in loop",
         {"METHOD", "METHOD", "LOOP DISKS #1", "LOOP DISKS #1", "TLBGD(1)", "END LOOP", "END LOOP",
          "END METHOD"},
         " Too few arguments ",
         5},
        // Faults the reader must stop at instead of running on.
        {"unclosed INFO",
         {"METHOD", "INFO \"never", "closed", "METHOD"},
         " Closing '\"' of INFO text not found ",
         4},
        {"unbalanced value",
         {"METHOD", "GLOBAL", "A = (1,", "2"},
         " Unbalanced parentheses in value of A ",
         4},
        {"long sequence name",
         {"METHOD", "SEQUENCE", "ABCDEFGHIJKLMNOPQRSTU = (NATL NORM)", "END SEQUENCE", "x"},
         " Sequence name longer than 20 characters ABCDEFGHIJKLMNOPQRSTU ",
         3},
    };
    for (const ErrorCase& c : cases) {
        const auto compiled = CompileText(Lines(c.lines));
        EXPECT_TRUE(compiled.script->error) << c.what;
        EXPECT_EQ(compiled.script->errorMessage, c.message) << c.what;
        EXPECT_EQ(compiled.errorLine, c.line) << c.what;
    }
}

TEST(ScriptCompiler, LoadingErrorsStopBeforeAnyBlock) {
    const auto tooLong = CompileText("METHOD\r\n" + std::string(sc_Text::MaxLength, 'x'));
    EXPECT_EQ(tooLong.script->errorMessage, " Script file too long ");
    const auto nul = CompileText(std::string("METHOD\0", 7));
    EXPECT_EQ(nul.script->errorMessage, " Script file containes null character ");
    EXPECT_TRUE(nul.script->Disks().disks.Empty());
}

TEST(ScriptCompiler, ScriptsWithoutMethodOrWithCommentsCompile) {
    EXPECT_FALSE(CompileText(Lines({"just text", "GLOBAL"})).script->error);
    const auto compiled = CompileText(
        Lines({"notes", "METHOD DEFINITION \"Def\"", "a comment", "OPEN \"data.txt\"", "END",
               "METHOD", "DISK_MODE", "BATCH_MODE", "SORT_BY_DOSE", "NO_SORT", "END METHOD"}));
    const sc_Script& s = *compiled.script;
    ASSERT_FALSE(s.error) << s.errorMessage;
    EXPECT_TRUE(s.definition);
    EXPECT_EQ(s.definitionName, "Def");
    EXPECT_EQ(s.methodName, "");
    EXPECT_EQ(s.openText, "data.txt");
    EXPECT_EQ(s.sortMode, 0);
    EXPECT_EQ(s.diskMode, 0);
    EXPECT_TRUE(s.Disks().disks.Empty());
}

TEST(ScriptCompiler, GlobalDeclarationsFollowTheValueRules) {
    const auto compiled = CompileText(
        Lines({"METHOD", "GLOBAL", "LIST DOSES = 0, 10#3, 20#3", "Dose = ?",
               "Empty =", "Pair = (1,", "   2)", "Name = abc#x", "LIST Texts = 5\"five\", ?\"none",
               "LIST X = ()", "END GLOBAL", "METHOD", "END METHOD"}));
    sc_Script& s = *compiled.script;
    ASSERT_FALSE(s.error) << s.errorMessage;
    sc_List* doses = s.lists.FindNode("DOSES");
    ASSERT_NE(doses, nullptr);
    EXPECT_EQ(doses->text, "List of DOSES");
    std::vector<std::pair<std::string, int>> elements;
    for (const sc_Variable& element : doses->elements) {
        EXPECT_EQ(element.name, "DOSES");
        elements.emplace_back(element.value, element.count);
    }
    EXPECT_EQ(elements,
              (std::vector<std::pair<std::string, int>>{{"0", -1}, {"10", 3}, {"20", 3}}));
    EXPECT_TRUE(doses->hasValues);
    EXPECT_EQ(doses->elements.Current(), doses->elements.First());

    struct Expected {
        const char* name;
        bool hasValue;
        const char* value;
        int count;
    };
    for (const Expected& e :
         {Expected{"Dose", false, "?", -1}, Expected{"Empty", false, "?", -1},
          Expected{"Pair", true, "(1,2)", -1}, Expected{"Name", true, "abc", -1}}) {
        const sc_Variable* variable = s.variables.FindNode(e.name);
        ASSERT_NE(variable, nullptr) << e.name;
        EXPECT_EQ(variable->hasValue, e.hasValue) << e.name;
        EXPECT_EQ(variable->value, e.value) << e.name;
        EXPECT_EQ(variable->count, e.count) << e.name;
    }
    const sc_List* texts = s.lists.FindNode("Texts");
    ASSERT_NE(texts, nullptr);
    ASSERT_EQ(texts->elements.Size(), 2u);
    EXPECT_EQ(texts->elements.First()->text, "five");
    EXPECT_FALSE(std::next(texts->elements.begin())->hasValue);
    EXPECT_TRUE(s.lists.FindNode("X")->elements.Empty());
}

TEST(ScriptCompiler, SequenceDefinitionsCopyDeclaredSequencesWithOneBlankAfterTheModifier) {
    const auto compiled =
        CompileText(Lines({"METHOD", "SEQUENCE", "A = (TL(5, 0, 0, 450, 0, 0))", "  B = (NORM A",
                           "  BGD TLBGD(1, 2, 3)", ")", "END SEQUENCE", "METHOD", "END METHOD"}));
    const sc_Script& s = *compiled.script;
    ASSERT_FALSE(s.error) << s.errorMessage;
    const sc_Sequence& b = *std::next(s.sequences.begin());
    EXPECT_EQ(b.name, "B");
    EXPECT_EQ(CommandTexts(b),
              (std::vector<std::string>{"NORM TL(5, 0, 0, 450, 0, 0)", "BGD TLBGD(1, 2, 3)"}));
}

TEST(ScriptCompiler, InfoTextsJoinAndBodyLinesSetTheScriptTexts) {
    const auto compiled = CompileText(
        Lines({"METHOD", "INFO \"one", "two\"", "GLOBAL", "LIST DISKS = 1, 2", "END GLOBAL",
               "METHOD", "INFO \"three\"", "OPEN \"C:\\\\GWDATA\\\\x.txt\"", "SAMPLE \"sand\"",
               "RANDOM_SORT", "LOOP DISKS #1", "TLBGD(5, &DISKS, 0)", "END LOOP", "END METHOD"}));
    const sc_Script& s = *compiled.script;
    ASSERT_FALSE(s.error) << s.errorMessage;
    EXPECT_EQ(s.infoText, "one \r\ntwo\r\nthree");
    EXPECT_EQ(s.openText, "C:\\\\GWDATA\\\\x.txt");
    EXPECT_EQ(s.sampleText, "sand");
    EXPECT_EQ(s.sortMode, 32);
    // The declared DISKS is a plain second list; the run list is found first and has no values.
    EXPECT_EQ(s.lists.Size(), 2u);
    EXPECT_TRUE(std::next(s.lists.begin())->elements.Empty());
    EXPECT_EQ(s.Disks().disks.First()->commands.First()->arguments, "(5, &DISKS, 0)");
}

TEST(ScriptCompiler, ProductsAreNoArgumentsTheCompilerTakes) {
    const auto compiled =
        CompileText(Lines({"METHOD", "GLOBAL", "Dose = 5", "END GLOBAL", "METHOD", "LOOP DISKS #1",
                           "IRRAD(3, 0, 20, Dose*2)", "END LOOP", "END METHOD"}));
    EXPECT_EQ(compiled.script->errorMessage, " Invalid argument Dose*2");
    EXPECT_EQ(compiled.errorLine, 7);
}

TEST(ScriptCompiler, ErrorsInsideLoopBodiesAndDefinitionsMapToTheirLineInTheWholeText) {
    const auto inLoop = CompileText(
        Lines({"METHOD", "GLOBAL", "LIST D = 1, 2", "END GLOBAL", "METHOD", "LOOP D", "  LOOP D",
               "    TL(1,2,3,4,5,6)", "  END LOOP", "  OSL(1)", "END LOOP", "END METHOD"}));
    EXPECT_EQ(inLoop.script->errorMessage, " Too few arguments ");
    EXPECT_EQ(inLoop.errorLine, 10);
}

} // namespace
} // namespace gw
