#include "tool/PrepareAnswerPrompter.h"

#include <ostream>

namespace gw::tool {

namespace {

// Line breaks inside a message would split one warning over several lines of the stream.
std::string OneLine(const std::string& text) {
    std::string line;
    line.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "\r\n") == 0) {
            line.push_back(' ');
            ++i;
        } else {
            line.push_back(text[i]);
        }
    }
    return line;
}

} // namespace

PrepareAnswerPrompter::PrepareAnswerPrompter(std::map<std::string, double> answers,
                                             WarningResult warningAnswer, std::ostream& err)
    : VariableAnswerPrompter(std::move(answers)), warningAnswer_(warningAnswer), err_(err) {}

WarningResult PrepareAnswerPrompter::warn(const std::string& message, bool offerIgnore,
                                          bool offerIgnoreAll) {
    err_ << "warning: " << OneLine(message) << '\n';
    // An operator who chose "ignore all" presses Ignore where a warning has no "Ignore all".
    if (warningAnswer_ == WarningResult::IgnoreAll && offerIgnoreAll) {
        return WarningResult::IgnoreAll;
    }
    if (warningAnswer_ != WarningResult::Abort && offerIgnore) {
        return WarningResult::Ignore;
    }
    aborted_ = true;
    return WarningResult::Abort;
}

void PrepareAnswerPrompter::message(MessageKind kind, const std::string&, const std::string& text) {
    err_ << (kind == MessageKind::Information ? "" : "error: ") << OneLine(text) << '\n';
}

} // namespace gw::tool
