#include "tool/TakePrompter.h"

#include <algorithm>
#include <ostream>

namespace gw::tool {

namespace {

// A message's line breaks (CR, CR LF) as one line of the terminal.
std::string OneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

const char* AnswerWord(Answer answer) {
    switch (answer) {
    case Answer::Yes:
        return "yes";
    case Answer::No:
        return "no";
    case Answer::Ok:
        return "ok";
    case Answer::Retry:
        return "retry";
    case Answer::Cancel:
        break;
    }
    return "cancel";
}

} // namespace

std::optional<double> TakePrompter::askNumber(const std::string&, const std::string&) {
    return std::nullopt;
}

std::optional<std::string> TakePrompter::askText(const std::string&, const std::string&,
                                                 const std::string&) {
    return std::nullopt;
}

WarningResult TakePrompter::warn(const std::string& message, bool, bool) {
    err_ << "warning: " << OneLine(message) << '\n';
    return WarningResult::Abort;
}

void TakePrompter::message(MessageKind kind, const std::string&, const std::string& text) {
    const char* word = kind == MessageKind::Error     ? "error: "
                       : kind == MessageKind::Warning ? "warning: "
                                                      : "note: ";
    err_ << word << OneLine(text) << '\n';
}

Answer TakePrompter::ask(const std::string& caption, const std::string& text, QuestionButtons) {
    const Answer answer = caption == "HV off warning" ? highVoltage_ : Answer::Cancel;
    err_ << "question: " << OneLine(text) << " -> " << AnswerWord(answer) << '\n';
    return answer;
}

UnwrittenRecordChoice TakePrompter::askUnwrittenRecord(const std::string& path,
                                                       const std::string& reason) {
    err_ << "error: the record could not be written to " << path << ": " << reason << '\n';
    return UnwrittenRecordChoice::Cancel;
}

} // namespace gw::tool
