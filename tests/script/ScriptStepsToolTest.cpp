#include "CompileHelper.h"
#include "tool/ScriptCommand.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace gw {
namespace {

using test::Lines;

class ScriptStepsTool : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("gw_steps_tool_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }

    int Run(const std::string& text, std::vector<std::string> options) {
        const auto path = dir_ / "script.gws";
        std::ofstream(path, std::ios::binary) << text;
        options.insert(options.begin(), {"steps", path.string()});
        out.str("");
        err.str("");
        return tool::runScriptCommand(options, out, err);
    }

    std::ostringstream out;
    std::ostringstream err;
    std::filesystem::path dir_;
};

// The worked example's first disk: one record per dose, worked out by hand.
std::string ExampleStep(int position, int irradiationTime, int disk) {
    return "{\"heatingRate\": 5, \"preheatTime\": 10, \"preheatTemperature\": 160, "
           "\"irradiationTime\": " +
           std::to_string(irradiationTime) +
           ", \"endTemperature\": 0, \"position\": " + std::to_string(position) +
           ", \"device\": 20, \"exposedBefore\": 0, \"normalisation\": 0, \"notBackground\": 1, "
           "\"singleAliquotClean\": 1, \"natural\": 1, \"irradiatorLetter\": \"X\", "
           "\"preheatType\": \"W\", \"irradiationDate\": " +
           std::to_string(PackedDate::Pack(2026, 1, 1).Value) +
           ", \"exposure\": 0, \"doseRate\": 0.1, \"rateUnit\": \"Gy/sec\", \"diskText\": "
           "\"Disk#" +
           std::to_string(disk) +
           "\", \"channelLayout\": [0, 60, 34, 0], \"sampleTemperature\": 125, \"power\": 230}";
}

TEST_F(ScriptStepsTool, PrintsTheStepRecordsAfterEveryMeasurement) {
    ASSERT_EQ(Run(Lines(test::WorkedExampleLines), {"--today", "2026-01-01", "--json"}), 0)
        << err.str();
    std::string expected = "{\"disks\": [";
    for (int disk = 1; disk <= 2; ++disk) {
        expected += std::string(disk == 1 ? "\n  " : ",\n  ") +
                    "{\"number\": " + std::to_string(disk) + ", \"steps\": [";
        for (int dose = 0; dose < 3; ++dose) {
            expected +=
                (dose == 0 ? "\n    " : ",\n    ") + ExampleStep(disk - 1, 100 * dose, disk);
        }
        expected += "\n  ]}";
    }
    EXPECT_EQ(out.str(), expected + "\n]}\n");
}

TEST_F(ScriptStepsTool, TreatmentsJoinTheNextMeasurementsRecord) {
    const std::string script =
        Lines({"METHOD \"t\"", "GLOBAL", "D = ?", "END GLOBAL", "METHOD", "LOOP DISKS #1",
               "TL(5, 0, 0, 450, 0, 0)", "IRRAD(3, 0, 20, D)", "PREHEAT(5, 220, 10, 20)",
               "BLEACH(0, 0, 0, 60)", "TLBGD(5, 450, 0)", "END LOOP", "END METHOD"});
    ASSERT_EQ(Run(script, {"--set", "D=2", "--today", "2026-01-01", "--json"}), 0) << err.str();
    const std::string json = out.str();
    EXPECT_NE(json.find("\"irradiationTime\": 0, \"endTemperature\": 450"), std::string::npos);
    EXPECT_NE(json.find("\"irradiationTime\": 20, \"endTemperature\": 450"), std::string::npos);
    EXPECT_NE(json.find("\"exposedBefore\": 0"), std::string::npos); // the bleach came after
    EXPECT_NE(json.find("\"exposure\": 1,"), std::string::npos);
}

TEST_F(ScriptStepsTool, UsageAndFailures) {
    EXPECT_EQ(Run(Lines(test::WorkedExampleLines), {}), 2);
    EXPECT_NE(err.str().find("add --json"), std::string::npos);
    EXPECT_EQ(Run(Lines(test::WorkedExampleLines), {"--today", "2026-13-01", "--json"}), 2);
    const std::string alpha =
        Lines({"METHOD \"t\"", "METHOD", "LOOP DISKS #1", "IRRAD(0, 0, 20, 5)",
               "TL(5, 0, 0, 450, 0, 0)", "END LOOP", "END METHOD"});
    EXPECT_EQ(Run(alpha, {"--json"}), 1);
    EXPECT_NE(err.str().find("External alphais not defined in the profile"), std::string::npos);
}

} // namespace
} // namespace gw
