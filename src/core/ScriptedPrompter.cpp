#include "core/ScriptedPrompter.h"

namespace gw {

namespace {

template <typename T> T takeFront(std::deque<T>& queue, T fallback) {
    if (queue.empty()) {
        return fallback;
    }
    T value = queue.front();
    queue.pop_front();
    return value;
}

Answer lastButton(QuestionButtons buttons) {
    switch (buttons) {
    case QuestionButtons::YesNo:
        return Answer::No;
    case QuestionButtons::YesNoCancel:
    case QuestionButtons::OkCancel:
    case QuestionButtons::RetryCancel:
        return Answer::Cancel;
    }
    return Answer::Cancel;
}

} // namespace

std::optional<double> ScriptedPrompter::askNumber(const std::string& heading,
                                                  const std::string& valueText) {
    shown.push_back({"number", heading, valueText});
    return takeFront<std::optional<double>>(numbers, std::nullopt);
}

std::optional<std::string> ScriptedPrompter::askText(const std::string& heading,
                                                     const std::string& explanation,
                                                     const std::string&) {
    shown.push_back({"text", heading, explanation});
    return takeFront<std::optional<std::string>>(texts, std::nullopt);
}

WarningResult ScriptedPrompter::warn(const std::string& message, bool, bool) {
    shown.push_back({"warning", "Warning", message});
    return takeFront(warnings, WarningResult::Abort);
}

void ScriptedPrompter::message(MessageKind kind, const std::string& caption,
                               const std::string& text) {
    shown.push_back({"message", caption, text});
    messageIcons.push_back(kind);
}

Answer ScriptedPrompter::ask(const std::string& caption, const std::string& text,
                             QuestionButtons buttons) {
    shown.push_back({"question", caption, text});
    return takeFront(answers, lastButton(buttons));
}

UnwrittenRecordChoice ScriptedPrompter::askUnwrittenRecord(const std::string& path,
                                                           const std::string& reason) {
    shown.push_back({"record", path, reason});
    if (beforeRecordChoice) {
        beforeRecordChoice();
    }
    return takeFront(recordChoices, UnwrittenRecordChoice::Cancel);
}

std::optional<std::string> ScriptedPrompter::askSaveFileName(const std::string& caption,
                                                             const std::string& proposed) {
    shown.push_back({"save", caption, proposed});
    return takeFront<std::optional<std::string>>(fileNames, std::nullopt);
}

} // namespace gw
