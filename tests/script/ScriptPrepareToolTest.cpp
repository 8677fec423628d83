#include "CompileHelper.h"
#include "tool/ScriptCommand.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>

namespace gw {
namespace {

using test::Lines;

const std::string SarExample = Lines(test::WorkedExampleLines);

class ScriptPrepareTool : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("gw_prepare_tool_" +
                std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }

    std::string WriteScript(const std::string& name, const std::string& text) {
        const auto path = dir_ / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }

    int Run(std::vector<std::string> args) {
        out.str("");
        err.str("");
        args.insert(args.begin(), "prepare");
        return tool::runScriptCommand(args, out, err);
    }

    std::ostringstream out;
    std::ostringstream err;
    std::filesystem::path dir_;
};

// Every value of a JSON field, in the order printed.
std::vector<std::string> Values(const std::string& json, const std::string& field) {
    std::vector<std::string> values;
    const std::regex pattern("\"" + field + "\": (\\[[^\\]]*\\]|\"[^\"]*\"|[^,}]+)");
    for (auto it = std::sregex_iterator(json.begin(), json.end(), pattern);
         it != std::sregex_iterator(); ++it) {
        values.push_back((*it)[1]);
    }
    return values;
}

std::vector<std::string> Twice(const std::vector<std::string>& nine) {
    std::vector<std::string> both = nine;
    both.insert(both.end(), nine.begin(), nine.end());
    return both;
}

TEST_F(ScriptPrepareTool, WorkedExamplePreparesTwoDisksOfNineOperations) {
    // The default profile's beta source was calibrated on this day: no decay yet.
    ASSERT_EQ(Run({WriteScript("sar.gws", SarExample), "--today", "2026-01-01"}), 0) << err.str();
    const std::string json = out.str();
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(Values(json, "number"), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(Values(json, "platter"), (std::vector<std::string>{"0", "0"}));
    EXPECT_EQ(Values(json, "position"), (std::vector<std::string>{"0", "1"}));
    EXPECT_EQ(Values(json, "Kind"), Twice({"5", "1", "2", "5", "1", "2", "5", "1", "2"}));
    EXPECT_EQ(Values(json, "Temperature"),
              Twice({"20", "160", "125", "20", "160", "125", "20", "160", "125"}));
    EXPECT_EQ(Values(json, "Dose"), Twice({"0", "0", "0", "10", "0", "0", "20", "0", "0"}));
    EXPECT_EQ(Values(json, "IrradTime"), Twice({"0", "0", "0", "100", "0", "0", "200", "0", "0"}));
    EXPECT_EQ(Values(json, "Source"),
              Twice({"\"X\"", "\"\"", "\"\"", "\"X\"", "\"\"", "\"\"", "\"X\"", "\"\"", "\"\""}));
    const std::vector<std::string> n = Values(json, "N");
    ASSERT_EQ(n.size(), 18u);
    EXPECT_EQ(n[2], "[0, 250, 15, 0]") << "40 s of OSL on the series time bases";
    EXPECT_EQ(n[1], "[0, 0, 0, 0]");
    EXPECT_EQ(Values(json, "X")[2], "[1, 1, 4, 40]");
    EXPECT_EQ(Values(json, "Points")[2], "265");
    std::vector<std::string> disks(9, "0");
    disks.insert(disks.end(), 9, "1");
    EXPECT_EQ(Values(json, "Disk"), disks) << "each step is on its disk's position";
    EXPECT_EQ(Values(json, "commandFlags"), (std::vector<std::string>{"0"}));
    EXPECT_NE(json.find("\"description\": \"  preheat at 160\u00b0C for 10s"), std::string::npos);
}

TEST_F(ScriptPrepareTool, WarningsAreAnsweredAsAsked) {
    const std::string file =
        WriteScript("wheel.gws", Lines({"METHOD \"x\"", "METHOD", "LOOP DISKS #2",
                                        "OSL(3, 90, 125, 40, 0, 0)", "END LOOP", "END METHOD"}));
    const struct {
        std::vector<std::string> answer;
        int status;
        std::size_t warnings;
    } cases[] = {
        {{}, 2, 1},
        {{"--answer", "abort"}, 2, 1},
        {{"--answer", "ignore"}, 0, 2},
        {{"--answer", "ignore-all"}, 0, 1},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {file};
        args.insert(args.end(), c.answer.begin(), c.answer.end());
        SCOPED_TRACE(args.size());
        EXPECT_EQ(Run(args), c.status);
        const std::string warning = "warning: OSL/IRSL device 3 not in current profile!\n";
        std::size_t count = 0;
        for (std::size_t at = err.str().find(warning); at != std::string::npos;
             at = err.str().find(warning, at + 1)) {
            ++count;
        }
        EXPECT_EQ(count, c.warnings) << err.str();
        EXPECT_EQ(out.str().empty(), c.status != 0);
    }
}

TEST_F(ScriptPrepareTool, FailuresAndBadOptions) {
    const std::string dmosl =
        WriteScript("dmosl.gws", Lines({"METHOD \"x\"", "METHOD", "LOOP DISKS #1",
                                        "DMOSL(0, 100, 50, 0.01, 0, 0.02, 0, 0.05, 0, 0.1, 0)",
                                        "END LOOP", "END METHOD"}));
    EXPECT_EQ(Run({dmosl}), 1);
    EXPECT_NE(err.str().find("error: DMOSL on disk 1 cannot be planned"), std::string::npos)
        << err.str();
    const std::string missing =
        WriteScript("gamma.gws", Lines({"METHOD \"x\"", "METHOD", "LOOP DISKS #1",
                                        "IRRAD(2, 0, 20, 10)", "END LOOP", "END METHOD"}));
    EXPECT_EQ(Run({missing, "--answer", "ignore"}), 2)
        << "the missing irradiator offers Abort only";
    EXPECT_NE(err.str().find("warning: Irradiator External gammais not defined in the profile"),
              std::string::npos)
        << err.str();
    EXPECT_EQ(Run({dmosl, "--today", "2026-13-01"}), 2);
    EXPECT_EQ(Run({dmosl, "--answer", "maybe"}), 2);
    EXPECT_EQ(Run({(dir_ / "none.gws").string()}), 2);
}

TEST_F(ScriptPrepareTool, TraceGoesWhereAsked) {
    const std::string file =
        WriteScript("sorted.gws", Lines({"METHOD \"x\"", "METHOD", "SORT_BY_DOSE", "LOOP DISKS #2",
                                         "TL(5, 0, 0, 450, 0, 50)", "END LOOP", "END METHOD"}));
    const auto trace = dir_ / "testpos.txt";
    ASSERT_EQ(Run({file, "--trace", trace.string()}), 0) << err.str();
    EXPECT_TRUE(std::filesystem::exists(trace));
    EXPECT_FALSE(std::filesystem::exists("testpos.txt"))
        << "nothing lands in the working directory";
}

} // namespace
} // namespace gw
