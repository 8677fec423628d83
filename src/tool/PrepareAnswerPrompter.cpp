#include "tool/PrepareAnswerPrompter.h"

#include <ostream>

namespace gw::tool {

namespace {

// Line breaks inside a message would split one warning over several lines of the stream.
std::string OneLine(std::string text) {
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n")) {
        text.replace(at, 2, " ");
    }
    return text;
}

} // namespace

PrepareAnswerPrompter::PrepareAnswerPrompter(std::map<std::string, double> answers,
                                             WarningResult warningAnswer, std::ostream& err)
    : VariableAnswerPrompter(std::move(answers)), warningAnswer_(warningAnswer), err_(err) {}

WarningResult PrepareAnswerPrompter::warn(const std::string& message, bool offerIgnore,
                                          bool offerIgnoreAll) {
    err_ << "warning: " << OneLine(message) << '\n';
    const bool offered = (warningAnswer_ == WarningResult::Ignore && offerIgnore) ||
                         (warningAnswer_ == WarningResult::IgnoreAll && offerIgnoreAll);
    if (offered) {
        return warningAnswer_;
    }
    aborted_ = true;
    return WarningResult::Abort;
}

void PrepareAnswerPrompter::message(MessageKind, const std::string&, const std::string& text) {
    err_ << "error: " << OneLine(text) << '\n';
}

} // namespace gw::tool
