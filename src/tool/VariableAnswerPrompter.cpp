#include "tool/VariableAnswerPrompter.h"

#include <algorithm>
#include <array>

namespace gw::tool {

VariableAnswerPrompter::VariableAnswerPrompter(std::map<std::string, double> answers)
    : answers_(std::move(answers)) {}

std::string VariableAnswerPrompter::NameInHeading(const std::string& heading) {
    static const std::array<std::string, 2> endings = {"' has no value", "' has no valid value"};
    for (const std::string& ending : endings) {
        if (heading.size() > ending.size() + 1 && heading.front() == '\'' &&
            heading.ends_with(ending)) {
            return heading.substr(1, heading.size() - ending.size() - 1);
        }
    }
    return {};
}

std::optional<double> VariableAnswerPrompter::askNumber(const std::string& heading,
                                                        const std::string&) {
    const std::string name = NameInHeading(heading);
    const auto answer = answers_.find(name);
    if (answer != answers_.end()) {
        return answer->second;
    }
    if (std::find(unanswered_.begin(), unanswered_.end(), name) == unanswered_.end()) {
        unanswered_.push_back(name);
    }
    return std::nullopt;
}

std::optional<std::string> VariableAnswerPrompter::askText(const std::string&, const std::string&,
                                                           const std::string&) {
    return std::nullopt;
}

WarningResult VariableAnswerPrompter::warn(const std::string&, bool, bool) {
    return WarningResult::Abort;
}

void VariableAnswerPrompter::message(MessageKind, const std::string&, const std::string&) {}

Answer VariableAnswerPrompter::ask(const std::string&, const std::string&,
                                   QuestionButtons buttons) {
    return buttons == QuestionButtons::YesNo ? Answer::No : Answer::Cancel;
}

} // namespace gw::tool
