#include "script/ArgumentEvaluation.h"

#include "core/ScriptedPrompter.h"
#include "script/SplitInterval.h"
#include "script/sc_Script.h"

#include <gtest/gtest.h>
#include <limits>

namespace gw {
namespace {

class ArgumentEvaluation : public ::testing::Test {
protected:
    void Declare(const std::string& name, const std::string& value, bool hasValue = true) {
        sc_Variable& variable = variables.Emplace(name);
        variable.value = value;
        variable.hasValue = hasValue;
    }

    sc_Table<sc_Variable> variables{"Global variables", "Declared variables"};
    ScriptedPrompter prompter;
};

TEST_F(ArgumentEvaluation, NumbersVariablesAndProducts) {
    Declare("Dose", "5");
    Declare("Name", "quartz");
    const struct {
        const char* token;
        double value;
        bool ok;
    } cases[] = {
        {"12.5", 12.5, true},
        {"-3", -3, true},
        {"1E2", 100, true},
        {"Dose", 5, true},
        {"Dose*2", 10, true},
        {"2*Dose", 10, true},
        {"2*3*4", 0, false},
        {"Name", 0, false},
        {"Unknown", 0, false},
        {"*2", 0, false},
        {"2*", 0, false},
        {"1,5", 0, false},
        {"1E200*1E200", std::numeric_limits<double>::infinity(), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.token);
        const ArgumentValue result = EvaluateArgument(c.token, variables, prompter);
        EXPECT_EQ(result.ok, c.ok);
        if (c.ok) {
            EXPECT_EQ(result.value, c.value);
        }
    }
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(ArgumentEvaluation, VariableWithoutValueIsAskedForAndKeepsTheAnswer) {
    Declare("Dose", "?", false);
    prompter.numbers = {std::nullopt, 7.5};
    EXPECT_FALSE(EvaluateArgument("Dose", variables, prompter).ok);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, "'Dose' has no valid value");

    const ArgumentValue answered = EvaluateArgument("Dose*2", variables, prompter);
    EXPECT_TRUE(answered.ok);
    EXPECT_EQ(answered.value, 15);
    EXPECT_EQ(EvaluateArgument("Dose", variables, prompter).value, 7.5);
    EXPECT_EQ(prompter.shown.size(), 2u) << "an answered variable is not asked again";
}

TEST(RoundToInt, HalvesToEvenAndSaturates) {
    EXPECT_EQ(RoundToInt(2.5), 2);
    EXPECT_EQ(RoundToInt(3.5), 4);
    EXPECT_EQ(RoundToInt(-2.5), -2);
    EXPECT_EQ(RoundToInt(1e300), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(RoundToInt(-1e300), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(RoundToInt(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(SplitInterval, ExactSplitsAndClosestOnes) {
    const struct {
        long long ms;
        int x, y;
    } cases[] = {
        {0, 1, 0},         {100, 1, 100},   {255, 1, 255},   {256, 2, 128},
        {500, 2, 250},     {1000, 4, 250},  {3750, 15, 250}, {257, 2, 128}, // 257 is prime
        {65024, 255, 255}, // closest: 255 x 255 is off by one
        {65025, 255, 255}, // the widest channel the reader has
        {65026, 0, 0},     {1000000, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ms);
        const IntervalSplit split = SplitInterval(c.ms);
        EXPECT_EQ(split.X, c.x);
        EXPECT_EQ(split.Y, c.y);
        EXPECT_LE(split.X, 255);
        EXPECT_LE(split.Y, 255);
    }
}

TEST(SplitInterval, EveryWidthIsCloseAndWithinTheReadersRange) {
    for (long long ms = 256; ms <= 65025; ms += 37) {
        const IntervalSplit split = SplitInterval(ms);
        ASSERT_GE(split.X, 1) << ms;
        ASSERT_LE(split.X, 255) << ms;
        ASSERT_LE(split.Y, 255) << ms;
        // X never exceeds about the square root, so the error is at most half of X.
        EXPECT_LE(std::llabs(ms - (long long)split.X * split.Y), split.X / 2 + 1) << ms;
    }
}

} // namespace
} // namespace gw
