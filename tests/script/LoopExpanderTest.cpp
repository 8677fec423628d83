#include "CompileHelper.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

using test::CommandTexts;
using test::CompileText;
using test::Lines;

// A script with the given GLOBAL lines and method-body lines.
std::string Script(const std::vector<std::string>& globals, const std::vector<std::string>& body) {
    std::vector<std::string> lines = {"METHOD", "GLOBAL"};
    lines.insert(lines.end(), globals.begin(), globals.end());
    lines.insert(lines.end(), {"END GLOBAL", "METHOD"});
    lines.insert(lines.end(), body.begin(), body.end());
    lines.push_back("END METHOD");
    return Lines(lines);
}

std::vector<int> DiskCommandCounts(const sc_Script& script) {
    std::vector<int> counts;
    for (const sc_Item& disk : script.Disks().disks) {
        counts.push_back(static_cast<int>(disk.commands.Size()));
    }
    return counts;
}

TEST(LoopExpander, ListLoopsRepeatTheBodyPerElementInOrder) {
    const auto compiled = CompileText(Script({"LIST DOSES = 0, 10, 20", "LIST X = ()"},
                                             {"LOOP DOSES", "IRRAD(3, 0, 20, &DOSES)", "END LOOP",
                                              "LOOP X", "TLBGD(5, &X, 0)", "END LOOP"}));
    const sc_Script& s = *compiled.script;
    ASSERT_FALSE(s.error) << s.errorMessage;
    EXPECT_EQ(CommandTexts(s.master),
              (std::vector<std::string>{"IRRAD(3, 0, 20, 0)", "IRRAD(3, 0, 20, 10)",
                                        "IRRAD(3, 0, 20, 20)", "TLBGD(5, 1, 0)", "TLBGD(5, 2, 0)",
                                        "TLBGD(5, 3, 0)", "TLBGD(5, 4, 0)", "TLBGD(5, 5, 0)"}));
    sc_List* x = const_cast<sc_Script&>(s).lists.FindNode("X");
    EXPECT_EQ(x->elements.Size(), 5u);
    EXPECT_TRUE(x->hasValues);
    EXPECT_TRUE(x->used);
}

TEST(LoopExpander, DiskLoopsGiveEachDiskTheMasterSequenceAndRestoreIt) {
    const auto compiled =
        CompileText(Script({}, {"LOOP DISKS #1", "END LOOP", "NO_SORT", "LOOP DISKS #3",
                                "TL(5, 0, 0, 450, 0, 0)", "END LOOP"}));
    const sc_Script& s = *compiled.script;
    ASSERT_FALSE(s.error) << s.errorMessage;
    ASSERT_EQ(s.Disks().disks.Size(), 4u);
    std::vector<std::string> names;
    for (const sc_Item& disk : s.Disks().disks) {
        names.push_back(disk.name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Disk#1", "Disk#2", "Disk#3", "Disk#4"}));
    EXPECT_EQ(DiskCommandCounts(s), (std::vector<int>{0, 1, 1, 1}));
    EXPECT_TRUE(s.master.commands.Empty());
    EXPECT_EQ(s.Disks().count, 4);
}

TEST(LoopExpander, EnclosingCommandsComeFirstOnEveryDisk) {
    const auto compiled =
        CompileText(Script({"LIST D = 7"}, {"LOOP D", "BLEACH(0, 90, 125, 100)", "LOOP DISKS #2",
                                            "TLBGD(5, &D, 0)", "END LOOP", "END LOOP"}));
    const sc_Script& s = *compiled.script;
    ASSERT_FALSE(s.error) << s.errorMessage;
    for (const sc_Item& disk : s.Disks().disks) {
        EXPECT_EQ(CommandTexts(disk),
                  (std::vector<std::string>{"BLEACH(0, 90, 125, 100)", "TLBGD(5, 7, 0)"}));
    }
    // Commands made outside a LOOP DISKS body stay in the master sequence.
    EXPECT_EQ(CommandTexts(s.master), (std::vector<std::string>{"BLEACH(0, 90, 125, 100)"}));
}

TEST(LoopExpander, DiskCountsComeFromHashOrTheDesignatedElement) {
    struct Case {
        const char* what;
        std::vector<std::string> body;
        std::vector<int> perDisk; // commands on each disk
    };
    const std::vector<Case> cases = {
        {"element counts",
         {"LOOP DOSES", "LOOP DISKS", "TLBGD(5, &DOSES, 0)", "END LOOP", "END LOOP"},
         std::vector<int>(6, 1)},
        {"hash wins",
         {"LOOP DOSES", "LOOP DISKS #5", "END LOOP", "END LOOP"},
         std::vector<int>(10, 0)},
        {"count persists",
         {"LOOP DISKS #4", "END LOOP", "LOOP DISKS", "END LOOP"},
         std::vector<int>(8, 0)},
        {"default two", {"LOOP DISKS", "END LOOP"}, std::vector<int>(2, 0)},
        {"zero disks skip the body",
         {"LOOP DISKS #0", "LOOP DISKS #3", "END LOOP", "END LOOP", "LOOP DISKS #1",
          "TLBGD(5, 1, 0)", "END LOOP"},
         std::vector<int>{1}},
        {"invalid count keeps the old one", {"LOOP DISKS #x", "END LOOP"}, std::vector<int>(2, 0)},
    };
    for (const Case& c : cases) {
        const auto compiled = CompileText(Script({"LIST DOSES = 0#2, 10#4"}, c.body));
        ASSERT_FALSE(compiled.script->error) << c.what << compiled.script->errorMessage;
        EXPECT_EQ(DiskCommandCounts(*compiled.script), c.perDisk) << c.what;
    }
    const auto perDose = CompileText(
        Script({"LIST DOSES = 0#2, 10#4"},
               {"LOOP DOSES", "LOOP DISKS", "TLBGD(5, &DOSES, 0)", "END LOOP", "END LOOP"}));
    std::vector<std::string> doses;
    for (const sc_Item& disk : perDose.script->Disks().disks) {
        doses.push_back(disk.commands.First()->arguments);
    }
    EXPECT_EQ(doses, (std::vector<std::string>{"(5, 0, 0)", "(5, 0, 0)", "(5, 10, 0)", "(5, 10, 0)",
                                               "(5, 10, 0)", "(5, 10, 0)"}));
}

TEST(LoopExpander, SubstitutionKeepsMarksAndLeavesUnknownsAlone) {
    const auto compiled =
        CompileText(Script({"Dose = 10", "LIST DOSES = 20", "LIST Y = ?, ?", "Temp = 160"},
                           {"LOOP DOSES", "IRRAD(3, 0, -Dose, -&DOSES)", "IRRAD(3, 0, &Y, #Temp)",
                            "IRRAD(3, 0, 1.5, *&DOSES)", "END LOOP"}));
    ASSERT_FALSE(compiled.script->error) << compiled.script->errorMessage;
    EXPECT_EQ(CommandTexts(compiled.script->master),
              (std::vector<std::string>{"IRRAD(3, 0, -10, -20)", "IRRAD(3, 0, &Y, #160)",
                                        "IRRAD(3, 0, 1.5, *20)"}));
}

TEST(LoopExpander, VariablesWithoutValueAreAskedForOnce) {
    const std::string text =
        Script({"Dose = ?"}, {"LOOP DISKS #2", "IRRAD(3, 0, 20, Dose)", "END LOOP"});
    ScriptedPrompter answered;
    answered.numbers.push_back(2.5);
    const auto compiled = CompileText(text, answered);
    ASSERT_FALSE(compiled.script->error) << compiled.script->errorMessage;
    ASSERT_EQ(answered.shown.size(), 1u);
    EXPECT_EQ(answered.shown[0].caption, "'Dose' has no value");
    EXPECT_EQ(answered.shown[0].text, "?");
    for (const sc_Item& disk : compiled.script->Disks().disks) {
        EXPECT_EQ(disk.commands.First()->arguments, "(3, 0, 20, 2.5)");
    }
    EXPECT_EQ(compiled.script->variables.First()->value, "2.5");

    ScriptedPrompter cancelled;
    const auto left = CompileText(text, cancelled);
    ASSERT_FALSE(left.script->error);
    EXPECT_EQ(left.script->Disks().disks.First()->commands.First()->arguments, "(3, 0, 20, Dose)");
    EXPECT_GE(cancelled.shown.size(), 2u); // asked again while it has no value
}

TEST(LoopExpander, ModifiersAndSequencesInBodies) {
    const auto compiled =
        CompileText(Lines({"METHOD", "SEQUENCE", "M = (PREHEAT(5, 160, 10, 20))", "END SEQUENCE",
                           "METHOD", "LOOP DISKS #1", "NORM M", "NORM BGD",
                           "BGD OSL(0, 90, 125, 40, 0, 0)", "END LOOP", "END METHOD"}));
    ASSERT_FALSE(compiled.script->error) << compiled.script->errorMessage;
    EXPECT_EQ(CommandTexts(*compiled.script->Disks().disks.First()),
              (std::vector<std::string>{"NORM PREHEAT(5, 160, 10, 20)", "NORM BGD",
                                        "BGD OSL(0, 90, 125, 40, 0, 0)"}));
}

TEST(LoopExpander, RunawayLoopsEndWithAnError) {
    struct Case {
        const char* what;
        std::vector<std::string> body;
        std::string message;
    };
    std::vector<std::string> manyCommands(8, "LOOP X");
    manyCommands.push_back("TLBGD(1, 2, 3)");
    manyCommands.insert(manyCommands.end(), 8, "END LOOP");
    std::vector<std::string> manyLines(8, "LOOP X");
    manyLines.insert(manyLines.end(), 8, "END LOOP");
    std::vector<std::string> deep(70, "LOOP X");
    deep.insert(deep.end(), 70, "END LOOP");
    const std::vector<Case> cases = {
        {"commands", manyCommands, " Script makes more than 1000 commands "},
        {"copies",
         {"LOOP X", "TLBGD(1, 2, 3)", "END LOOP", "LOOP DISKS #300", "END LOOP"},
         " Script makes more than 1000 commands "},
        {"disks", {"LOOP DISKS #501", "END LOOP"}, " Script makes more than 500 disks "},
        {"lines", manyLines, " Loops repeat more than 5000 lines "},
        {"nesting", deep, " Loops nested deeper than 64 "},
    };
    for (const Case& c : cases) {
        auto script = CreateScript(Script({"LIST X = ()"}, c.body), "x", DefaultProfile(4));
        ScriptedPrompter prompter;
        ScriptCompiler(*script, prompter,
                       {.maxCommands = 1000, .maxDisks = 500, .maxBodyLines = 5000})
            .Compile();
        EXPECT_TRUE(script->error) << c.what;
        EXPECT_EQ(script->errorMessage, c.message) << c.what;
    }
    // The shipped bounds hold against a '#' count in the billions.
    const auto huge = CompileText(Script({}, {"LOOP DISKS #999999999", "END LOOP"}));
    EXPECT_EQ(huge.script->errorMessage, " Script makes more than 10000 disks ");
}

} // namespace
} // namespace gw
