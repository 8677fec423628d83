#include "ToolRun.h"

#include <gtest/gtest.h>
#include <sstream>

namespace gw::tool {
namespace {

ToolRun RunTimebase(std::vector<std::string> args) {
    return RunToolCommand("timebase", std::move(args));
}

TEST(TimebaseCommand, PrintsThePlanAsJson) {
    const struct {
        std::vector<std::string> args;
        std::string json;
    } cases[] = {
        {{"osl", "1.25", "8", "0.75"},
         R"({"X": [1, 1, 4, 40], "Y": [10, 100, 250, 250], "N": [20, 98, 0, 0], "TotPts": 118, )"
         R"("TotTime": 10, "LumTime": 1.2, "BleachTime": 8, "BgdTime": 0.8})"},
        {{"osl", "1", "28", "1", "--veltrax", "--system", "1"},
         R"({"X": [1, 1, 4, 40], "Y": [10, 100, 250, 250], "N": [0, 70, 23, 0], "TotPts": 93, )"
         R"("TotTime": 30, "LumTime": 1, "BleachTime": 28, "BgdTime": 1})"},
        {{"lm", "100", "100"},
         R"({"X": [1, 1, 1, 1], "Y": [99, 99, 99, 99], "N": [255, 255, 255, 247], )"
         R"("TotPts": 1012, "TotTime": 100.188, "MaxPower": 100, "IncrementLab": 4, )"
         R"("EndPowerLab": 98.85225885225884, "TotalTimeLab": 100.188, )"
         R"("TotalPointsLab": 1012, "TimeOfPointLab": 0.099, "found": true})"},
        {{"vm", "100", "100"},
         R"({"X": [1, 1, 1, 2], "Y": [10, 14, 66, 154], "N": [255, 255, 255, 251], )"
         R"("TotPts": 1016, "TotTime": 100.258, "MaxPower": 100, "IncrementLab": 4, )"
         R"("EndPowerLab": 99.63369963369964, "TotalTimeLab": 100.258, )"
         R"("TotalPointsLab": 1016, "TimeOfPointLab": 0, "found": true})"},
        {{"vm", "0", "100"},
         R"({"X": [1, 1, 4, 40], "Y": [10, 100, 250, 250], "N": [0, 0, 0, 0], "TotPts": 0, )"
         R"("TotTime": 0, "MaxPower": 0, "IncrementLab": 0, "EndPowerLab": 0, )"
         R"("TotalTimeLab": 0, "TotalPointsLab": 0, "TimeOfPointLab": 0, "found": false})"},
    };
    for (const auto& c : cases) {
        const ToolRun run = RunTimebase(c.args);
        EXPECT_EQ(run.status, 0) << c.args[0];
        EXPECT_EQ(run.out, c.json + "\n");
        EXPECT_EQ(run.err, "");
    }
}

TEST(TimebaseCommand, RefusesWhatCannotBePlanned) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"osl", "0", "1000", "0", "--veltrax"},
                                               {"osl", "0.05", "0", "0.05"},
                                               {"vm", "100", "30000"},
                                               {"lm", "100", "0"}}) {
        const ToolRun run = RunTimebase(args);
        EXPECT_EQ(run.status, 1) << args[1];
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("cannot be planned"), std::string::npos) << run.err;
    }
}

TEST(TimebaseCommand, MalformedArgumentsGiveTheUsage) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{},
                                               {"tl"},
                                               {"osl", "1", "2"},
                                               {"osl", "1", "2", "3", "4"},
                                               {"osl", "1", "2", "x"},
                                               {"osl", "1", "2", "3", "--system"},
                                               {"osl", "1", "2", "3", "--system", "4"},
                                               {"lm", "100"},
                                               {"vm", "100", "1,5"}}) {
        const ToolRun run = RunTimebase(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("usage: gwtool timebase"), std::string::npos) << run.err;
    }
}

} // namespace
} // namespace gw::tool
