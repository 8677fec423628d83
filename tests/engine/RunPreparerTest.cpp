#include "engine/RunPreparer.h"

#include "engine/OperationTime.h"
#include "engine/ScriptDataFileName.h"
#include "profile/DefaultProfile.h"
#include "script/PrepareHelper.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace gw {
namespace {

using test::Lines;

// A script of n disks with the given commands each, after the method line and its mode words.
std::string Disks(int n, const std::vector<std::string>& commands,
                  const std::vector<std::string>& methodWords = {}, const std::string& globals = "",
                  const std::string& method = "METHOD") {
    std::vector<std::string> lines = {"METHOD \"run\"", "GLOBAL"};
    if (!globals.empty()) {
        lines.push_back(globals);
    }
    lines.insert(lines.end(), {"END GLOBAL", method});
    lines.insert(lines.end(), methodWords.begin(), methodWords.end());
    lines.push_back("LOOP DISKS #" + std::to_string(n));
    lines.insert(lines.end(), commands.begin(), commands.end());
    lines.insert(lines.end(), {"END LOOP", "END METHOD"});
    return Lines(lines);
}

const std::vector<std::string> ThreeCommands = {"TL(5, 0, 0, 450, 0, 200)",
                                                "PREHEAT(5, 160, 10, 20)", "TLBGD(5, 450, 20)"};

struct Planned {
    std::unique_ptr<test::Prepared> prepared;
    PreparedRun run;
    // (disk number, command) of every step, per platter.
    std::vector<std::vector<std::pair<int, int>>> steps;
};

Planned Plan(const std::string& text, int readerType = 2, std::uint32_t seed = 1) {
    Planned planned;
    planned.prepared = test::CompileAndPlace(text, DefaultProfile(std::int16_t(readerType)));
    EXPECT_FALSE(planned.prepared->script->error) << planned.prepared->script->errorMessage;
    test::Prepared& p = *planned.prepared;
    p.consoleProfile.VolID = std::filesystem::temp_directory_path().string();
    PreparationContext context{p.prompter, p.calculator, p.consoleProfile, false, p.today};
    RunPreparer preparer(*p.script, context);
    preparer.setSeed(seed);
    planned.run = preparer.PrepareRun();
    for (const TPlatter& platter : planned.run.runList) {
        planned.steps.emplace_back();
        for (const RunStep& step : platter) {
            EXPECT_EQ(step.platter, step.disk->platter) << "a disk runs on its own platter";
            planned.steps.back().emplace_back(step.disk->number, step.command);
        }
    }
    return planned;
}

std::vector<std::pair<int, int>> DiskMode(int first, int last, int commands) {
    std::vector<std::pair<int, int>> steps;
    for (int disk = first; disk <= last; ++disk) {
        for (int command = 0; command < commands; ++command) {
            steps.emplace_back(disk, command);
        }
    }
    return steps;
}

std::vector<std::pair<int, int>> BatchMode(int first, int last, int commands) {
    std::vector<std::pair<int, int>> steps;
    for (int command = 0; command < commands; ++command) {
        for (int disk = first; disk <= last; ++disk) {
            steps.emplace_back(disk, command);
        }
    }
    return steps;
}

TEST(RunPreparer, PlattersAndStepOrderOfTheModes) {
    const struct {
        std::string name;
        std::string text;
        std::vector<std::vector<std::pair<int, int>>> steps;
    } cases[] = {
        {"disk mode, 25 disks of 3 commands on a 3500",
         Disks(25, ThreeCommands),
         {DiskMode(1, 20, 3), DiskMode(21, 25, 3)}},
        {"batch mode",
         Disks(25, ThreeCommands, {"BATCH_MODE"}),
         {BatchMode(1, 20, 3), BatchMode(21, 25, 3)}},
        // Disks of different command counts: every command once, a finished disk not again.
        {"batch mode, uneven disks",
         Lines({"METHOD \"u\"", "GLOBAL", "END GLOBAL", "METHOD", "BATCH_MODE", "LOOP DISKS #1",
                "TL(5, 0, 0, 450, 0, 200)", "PREHEAT(5, 160, 10, 20)", "TLBGD(5, 450, 20)",
                "END LOOP", "LOOP DISKS #1", "TLBGD(5, 450, 20)", "END LOOP", "LOOP DISKS #1",
                "TL(5, 0, 0, 450, 0, 200)", "TLBGD(5, 450, 20)", "END LOOP", "END METHOD"}),
         {{{1, 0}, {2, 0}, {3, 0}, {1, 1}, {3, 1}, {1, 2}}}},
        // Platters out of order along the list: every disk still runs on its platter.
        {"positions in decreasing platters",
         Disks(2, {"TLBGD(5, 450, 20)"}, {}, "LIST POSITIONS = 25, 3"),
         {{{2, 0}}, {{1, 0}}}},
        // A platter that no position names has no step and no platter change.
        {"an empty platter between two",
         Disks(2, {"TLBGD(5, 450, 20)"}, {}, "LIST POSITIONS = 3, 45"),
         {{{1, 0}}, {{2, 0}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Planned planned = Plan(c.text);
        ASSERT_TRUE(planned.run.ok) << planned.run.message;
        EXPECT_EQ(planned.steps, c.steps);
    }
}

TEST(RunPreparer, DoseSortRunsEveryDiskOnThePlatterItWasGiven) {
    // Doses sorted over two platters put disks of the list's second block on the first platter.
    std::string doses;
    for (int i = 0; i < 25; ++i) {
        doses += (i == 0 ? "" : ", ") + std::to_string((i * 7) % 25 + 1);
    }
    const Planned planned =
        Plan(Lines({"METHOD \"d\"", "GLOBAL", "LIST DOSES = " + doses, "END GLOBAL", "METHOD",
                    "SORT_BY_DOSE", "LOOP DOSES", "LOOP DISKS #1", "IRRAD(3, 0, 20, &DOSES)",
                    "TLBGD(5, 450, 20)", "END LOOP", "END LOOP", "END METHOD"}));
    ASSERT_TRUE(planned.run.ok);
    ASSERT_EQ(planned.steps.size(), 2u);
    EXPECT_EQ(planned.steps[0].size(), 40u);
    EXPECT_EQ(planned.steps[1].size(), 10u);
    std::set<int> disks;
    for (const auto& platter : planned.steps) {
        for (const auto& [disk, command] : platter) {
            disks.insert(disk);
        }
    }
    EXPECT_EQ(disks.size(), 25u);
}

TEST(RunPreparer, RandomSortGivesEachDiskOneSlot) {
    const std::string text = Disks(20, {"TLBGD(5, 450, 20)"}, {"RANDOM_SORT"});
    const Planned first = Plan(text, 2, 7);
    ASSERT_TRUE(first.run.ok);
    std::set<int> disks;
    for (const auto& step : first.steps[0]) {
        disks.insert(step.first);
    }
    EXPECT_EQ(disks.size(), 20u);
    EXPECT_NE(first.steps[0], DiskMode(1, 20, 1)) << "the order is drawn";
    EXPECT_EQ(Plan(text, 2, 7).steps, first.steps) << "the same seed, the same order";
    EXPECT_NE(Plan(text, 2, 8).steps, first.steps);
    // Single aliquot and POSITIONS keep the list order.
    EXPECT_EQ(Plan(Disks(20, {"TLBGD(5, 450, 20)"}, {"RANDOM_SORT"}, "", "METHOD SINGLE_ALIQUOT"))
                  .steps[0],
              DiskMode(1, 20, 1));
    EXPECT_EQ(
        Plan(Disks(3, {"TLBGD(5, 450, 20)"}, {"RANDOM_SORT"}, "LIST POSITIONS = 4, 5, 6")).steps[0],
        DiskMode(1, 3, 1));
}

TEST(RunPreparer, EstimateSumsTheStepsAndDisksAreResetForTheRun) {
    const Planned planned = Plan(Disks(2, {"IRRAD(3, 0, 20, 5)", "TLBGD(5, 450, 20)"}), 4);
    ASSERT_TRUE(planned.run.ok);
    double sum = 0;
    test::Prepared& p = *planned.prepared;
    for (sc_Item& disk : p.script->Disks().disks) {
        EXPECT_EQ(disk.runCursor, disk.commands.begin());
        EXPECT_FALSE(disk.irradiated || disk.heated || disk.hot || disk.exposed);
        TDataType record;
        while (disk.runCursor != disk.commands.End()) {
            ASSERT_TRUE(p.Next(disk, record).ok);
            sum += EstimatedTime(record);
        }
    }
    EXPECT_DOUBLE_EQ(planned.run.estimate, sum);
    EXPECT_DOUBLE_EQ(p.script->timeEstimate, sum);
}

TEST(RunPreparer, AbortedWarningFailsAndResetsEveryDisk) {
    auto prepared = test::CompileAndPlace(Disks(2, {"TLBGD(5, 450, 20)", "IRRAD(5, 0, 20, 5)"}),
                                          DefaultProfile(4));
    ASSERT_FALSE(prepared->script->error);
    prepared->consoleProfile.VolID = std::filesystem::temp_directory_path().string();
    prepared->prompter.warnings = {WarningResult::Abort};
    PreparationContext context{prepared->prompter, prepared->calculator, prepared->consoleProfile,
                               false, prepared->today};
    const PreparedRun run = RunPreparer(*prepared->script, context).PrepareRun();
    EXPECT_FALSE(run.ok);
    EXPECT_TRUE(run.aborted) << run.message;
    EXPECT_TRUE(run.runList.empty());
    for (sc_Item& disk : prepared->script->Disks().disks) {
        EXPECT_EQ(disk.runCursor, disk.commands.begin());
    }
}

TEST(RunPreparer, AScriptWithoutStepsIsNotOffered) {
    const Planned planned = Plan(Lines({"METHOD \"e\"", "GLOBAL", "END GLOBAL", "METHOD",
                                        "LOOP DISKS #2", "END LOOP", "END METHOD"}));
    EXPECT_FALSE(planned.run.ok);
    EXPECT_FALSE(planned.run.message.empty());
}

TEST(DataFileName, FormedFromTheOpenText) {
    const std::string sep(1, char(std::filesystem::path::preferred_separator));
    const struct {
        std::string open;
        std::string directory;
        std::string expected;
    } cases[] = {
        {"", "C:\\GWDATA\\", "C:" + sep + "GWDATA" + sep + "Default.txt"},
        {"run7", "C:\\GWDATA", "C:" + sep + "GWDATA" + sep + "run7.txt"},
        {"run7.dta", ".\\data\\", "data" + sep + "run7.dta"},
        {"D:\\\\lab\\\\night", "C:\\GWDATA\\", "D:" + sep + "lab" + sep + "night.txt"},
        {"/srv/lab/", "/data/", sep + "srv" + sep + "lab" + sep + "Default.txt"},
        {"a.b\\c", "/data/", "a.b" + sep + "c.txt"},
        {"x", "", "x.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.open);
        EXPECT_EQ(PrepareDataFileName(c.open, c.directory), c.expected);
    }
}

TEST(DataFileName, MissingDirectoryAsksRetryOrCancel) {
    const std::string missing =
        (std::filesystem::temp_directory_path() / "gw-no-such-dir" / "run.txt").string();
    const std::string chosen = (std::filesystem::temp_directory_path() / "other.txt").string();
    for (const bool retry : {false, true}) {
        ScriptedPrompter prompter;
        prompter.answers = {retry ? Answer::Retry : Answer::Cancel};
        const DataFileCheck check = CheckDataFileDirectory(missing, prompter);
        ASSERT_EQ(prompter.shown.size(), retry ? 2u : 1u) << "Retry offers the file dialog";
        EXPECT_EQ(prompter.shown[0].caption, "Path does not exist!");
        EXPECT_NE(prompter.shown[0].text.find("\r\nspecified for a file: run.txt\r\ndoes not "
                                              "exist."),
                  std::string::npos);
        EXPECT_FALSE(check.ok) << "the file dialog is cancelled as well";
        EXPECT_FALSE(check.problem.empty());
    }
    const DataFileCheck fine =
        CheckDataFileDirectory(chosen, *std::make_unique<ScriptedPrompter>());
    EXPECT_TRUE(fine.ok);
    EXPECT_EQ(fine.path, chosen);
}

} // namespace
} // namespace gw
