#pragma once

#include "core/Prompter.h"

#include <map>
#include <string>
#include <vector>

namespace gw::tool {

// Answers the script compiler's value prompts ("'NAME' has no value") from NAME=VALUE options
// given on the command line; every other prompt counts as cancelled (Abort for warnings).
class VariableAnswerPrompter : public Prompter {
public:
    explicit VariableAnswerPrompter(std::map<std::string, double> answers);

    // Names asked for that had no answer, in the order first asked.
    const std::vector<std::string>& Unanswered() const { return unanswered_; }

    std::optional<double> askNumber(const std::string& heading,
                                    const std::string& valueText) override;
    std::optional<std::string> askText(const std::string& heading, const std::string& explanation,
                                       const std::string& proposed) override;
    WarningResult warn(const std::string& message, bool offerIgnore, bool offerIgnoreAll) override;
    void message(MessageKind kind, const std::string& caption, const std::string& text) override;
    Answer ask(const std::string& caption, const std::string& text,
               QuestionButtons buttons) override;

    // The variable name of a value prompt's heading; empty when the heading is no value prompt.
    static std::string NameInHeading(const std::string& heading);

private:
    std::map<std::string, double> answers_;
    std::vector<std::string> unanswered_;
};

} // namespace gw::tool
