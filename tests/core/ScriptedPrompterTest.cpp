#include "core/ScriptedPrompter.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

TEST(ScriptedPrompter, AnswersCautiouslyWhenNothingIsQueued) {
    ScriptedPrompter prompter;
    EXPECT_FALSE(prompter.askNumber("x", "y").has_value());
    EXPECT_EQ(prompter.warn("m", true, true), WarningResult::Abort);
    EXPECT_EQ(prompter.ask("c", "t", QuestionButtons::YesNo), Answer::No);
    EXPECT_EQ(prompter.ask("c", "t", QuestionButtons::YesNoCancel), Answer::Cancel);
    EXPECT_EQ(prompter.shown.size(), 4u);
}

TEST(ScriptedPrompter, AnswersFromItsQueuesInOrder) {
    ScriptedPrompter prompter;
    prompter.numbers = {1.5, std::nullopt};
    prompter.warnings = {WarningResult::IgnoreAll};
    EXPECT_EQ(prompter.askNumber("a", "b"), 1.5);
    EXPECT_FALSE(prompter.askNumber("a", "b").has_value());
    EXPECT_EQ(prompter.warn("m", true, true), WarningResult::IgnoreAll);
    EXPECT_EQ(prompter.shown.back().text, "m");
}

} // namespace
} // namespace gw
