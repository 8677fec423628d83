#include "CompileHelper.h"
#include "tool/ScriptCommand.h"
#include "tool/VariableAnswerPrompter.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace gw {
namespace {

using test::Lines;

class ScriptTool : public ::testing::Test {
protected:
    std::string WriteScript(const std::string& text) {
        const auto dir =
            std::filesystem::temp_directory_path() /
            ("gw_script_tool_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
        std::filesystem::create_directories(dir);
        const auto path =
            dir /
            (std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".gws");
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }

    int Run(const std::vector<std::string>& args) {
        out.str("");
        err.str("");
        return tool::runScriptCommand(args, out, err);
    }

    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }

    std::ostringstream out;
    std::ostringstream err;
    std::filesystem::path dir_;
};

const std::string Example =
    Lines({"METHOD \"Doses\"", "GLOBAL", "Dose = ?", "LIST DOSES = 0, 10", "END GLOBAL", "SEQUENCE",
           "M = (TLBGD(5, 450, 0))", "END SEQUENCE", "METHOD", "LOOP DISKS #2",
           "IRRAD(3, 0, 20, Dose)", "M", "END LOOP", "END METHOD"});

TEST_F(ScriptTool, CheckPrintsASummaryOrTheFirstErrorWithItsLine) {
    const std::string file = WriteScript(Example);
    EXPECT_EQ(Run({"check", file}), 0);
    EXPECT_EQ(out.str(), file + ": 2 disks, 1 sequence, 1 variable, 1 list\n");
    EXPECT_EQ(err.str(), file + ": note: 'Dose' has no value (--set Dose=VALUE)\n");
    EXPECT_EQ(Run({"check", file, "--set", "Dose=1"}), 0);
    EXPECT_EQ(err.str(), "");

    const std::string broken =
        WriteScript(Lines({"METHOD", "GLOBAL", "A = 1", "END GLOBAL", "METHOD", "LOOP DISKS #1",
                           "  TL(1, 2)", "END LOOP", "END METHOD"}));
    EXPECT_EQ(Run({"check", broken}), 1);
    EXPECT_EQ(err.str(), broken + ":7: error: Too few arguments \n");
    EXPECT_EQ(out.str(), "");
}

TEST_F(ScriptTool, SetAnswersValuePromptsAndOthersCountAsCancelled) {
    const std::string file = WriteScript(Example);
    EXPECT_EQ(Run({"list", file, "--disks", "--set", "Dose=12.5"}), 0);
    // The disks are placed as the editor places them: a 6600 numbers its positions from 0.
    EXPECT_EQ(out.str(), "Disk 1 platter/position  0/0 \"\"\r\n"
                         "  IRRAD(3, 0, 20, 12.5)\r\n"
                         "  TLBGD(5, 450, 0)\r\n"
                         "Disk 2 platter/position  0/1 \"\"\r\n"
                         "  IRRAD(3, 0, 20, 12.5)\r\n"
                         "  TLBGD(5, 450, 0)\r\n");
    EXPECT_EQ(Run({"list", file, "--disks", "--set", "Other=1"}), 0);
    EXPECT_NE(out.str().find("IRRAD(3, 0, 20, Dose)"), std::string::npos);
}

TEST_F(ScriptTool, ListingsArePrintedExactly) {
    const std::string file = WriteScript(Example);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"--variables", "Dose = ?\r\n"},
        {"--sequences", "M \r\n  TLBGD(5, 450, 0)\r\n\r\n"},
        {"--lists", "DISKS : 1 2 \r\n\r\nDOSES : 0, 10, \r\n\r\n"},
    };
    for (const auto& [option, listing] : cases) {
        EXPECT_EQ(Run({"list", file, option}), 0) << option;
        EXPECT_EQ(out.str(), listing) << option;
    }
}

TEST_F(ScriptTool, BadUsageAndUnreadableFilesExitTwo) {
    const std::string file = WriteScript(Example);
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"check"},
        {"frobnicate", file},
        {"list", file},
        {"check", file, "--disks"},
        {"list", file, "--disks", "--lists"},
        {"check", file, "--set", "Dose"},
        {"check", file, "--set", "Dose=abc"},
        {"check", file, "--set"},
        {"check", file + ".missing"},
        {"check", file, "--profile", file + ".missing"},
    };
    for (const auto& args : cases) {
        EXPECT_EQ(Run(args), 2) << (args.empty() ? "" : args[0]) << " " << args.size();
        EXPECT_FALSE(err.str().empty());
    }
}

TEST(VariableAnswerPrompter, FindsTheNameInBothValueHeadings) {
    EXPECT_EQ(tool::VariableAnswerPrompter::NameInHeading("'Dose' has no value"), "Dose");
    EXPECT_EQ(tool::VariableAnswerPrompter::NameInHeading("'a'b' has no valid value"), "a'b");
    EXPECT_EQ(tool::VariableAnswerPrompter::NameInHeading("Dose has no value"), "");
    EXPECT_EQ(tool::VariableAnswerPrompter::NameInHeading("'' has no value"), "");
}

} // namespace
} // namespace gw
