#include "console/ConsoleOptions.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

struct LegacyCase {
    std::vector<std::string> parameters;
    int systemType;
    bool eightBit;
};

TEST(ReadLegacyParameters, SelectsSystemTypeAndTransmission) {
    const std::vector<LegacyCase> cases = {
        {{}, 4, false},
        {{"/S3", "/c8"}, 3, true},
        {{"/s3", "/C8"}, 3, true},
        {{"/sx"}, 2, false},
        {{"/s"}, 2, false},
        {{"/s0"}, 0, false},
        {{"/s12"}, 1, false}, // the third character alone counts
        {{"/c7"}, 4, false},
        {{"/cx"}, 4, false},
        {{"/c"}, 4, false},
        {{"/c9"}, 4, false},
        {{"/c8", "/c7"}, 4, false}, // later overrides earlier
        {{"/s1", "/s3"}, 3, false},
        {{"/s1", "/sx"}, 2, false},
        {{"hello", "-s3", "s3", "/x8"}, 4, false}, // others are ignored
        {{"/s7"}, 2, false},                       // no such reader
    };
    for (const auto& c : cases) {
        const auto choice = ReadLegacyParameters(c.parameters);
        const std::string label = ::testing::PrintToString(c.parameters);
        EXPECT_EQ(choice.systemType, c.systemType) << label;
        EXPECT_EQ(choice.eightBitMode, c.eightBit) << label;
    }
}

TEST(ReadLegacyParameters, NotesADigitThatNamesNoReader) {
    const auto choice = ReadLegacyParameters({"/S9"});
    ASSERT_EQ(choice.notes.size(), 1u);
    EXPECT_EQ(choice.notes[0], ": Parameter /S9 names no system type; 3500 system used");
    EXPECT_TRUE(ReadLegacyParameters({"/sx", "/s3"}).notes.empty());
}

TEST(ParseConsoleOptions, TakesLongOptionsInBothFormsAndKeepsTheRest) {
    const auto options = ParseConsoleOptions(
        {"/s3", "--profile", "a b.dta", "--verbose", "--port=sim", "/c8", "--time-scale", "0.01",
         "--default-port", "/dev/ttyUSB0", "-geometry", "--default-profile=d.dta", "--x=1", "/C7"});
    EXPECT_EQ(options.error, "");
    EXPECT_EQ(options.legacyParameters, (std::vector<std::string>{"/s3", "/c8", "/C7"}));
    EXPECT_EQ(options.ignoredParameters,
              (std::vector<std::string>{"--verbose", "-geometry", "--x=1"}));
    EXPECT_EQ(options.profileFile, "a b.dta");
    EXPECT_EQ(options.portName, "sim");
    EXPECT_EQ(options.defaultPortName, "/dev/ttyUSB0");
    EXPECT_EQ(options.defaultProfileFile, "d.dta");
    EXPECT_DOUBLE_EQ(options.timeScale, 0.01);
    EXPECT_FALSE(options.showUsage);
}

TEST(ParseConsoleOptions, RefusesWhatItCannotUse) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--time-scale", "0"}, "--time-scale needs a number greater than 0, not \"0\""},
        {{"--time-scale=-1"}, "--time-scale needs a number greater than 0, not \"-1\""},
        {{"--time-scale", "fast"}, "--time-scale needs a number greater than 0, not \"fast\""},
        {{"--time-scale", "1x"}, "--time-scale needs a number greater than 0, not \"1x\""},
        {{"--time-scale", "inf"}, "--time-scale needs a number greater than 0, not \"inf\""},
        {{"--port"}, "--port needs a value"},
    };
    for (const auto& [arguments, error] : cases) {
        EXPECT_EQ(ParseConsoleOptions(arguments).error, error)
            << ::testing::PrintToString(arguments);
    }
    EXPECT_TRUE(ParseConsoleOptions({"--help"}).showUsage);
}

} // namespace
} // namespace gw
