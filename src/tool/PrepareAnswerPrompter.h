#pragma once

#include "tool/VariableAnswerPrompter.h"

#include <iosfwd>

namespace gw::tool {

// The prompter of gwtool script prepare: value prompts answered from --set, every warning written
// to the error stream as "warning: " + message and answered as --answer says (Abort where the
// chosen answer is not offered; "ignore all" answers Ignore where only Ignore is offered), every
// error message written as "error: " + text.
class PrepareAnswerPrompter : public VariableAnswerPrompter {
public:
    PrepareAnswerPrompter(std::map<std::string, double> answers, WarningResult warningAnswer,
                          std::ostream& err);

    WarningResult warn(const std::string& message, bool offerIgnore, bool offerIgnoreAll) override;
    void message(MessageKind kind, const std::string& caption, const std::string& text) override;

    // Whether some warning was answered with Abort.
    bool Aborted() const { return aborted_; }

private:
    WarningResult warningAnswer_;
    std::ostream& err_;
    bool aborted_ = false;
};

} // namespace gw::tool
