#pragma once

#include "core/Prompter.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace gw {

// A Prompter that answers from queues set up in advance and records every prompt it was shown.
// An empty queue gives the cautious answer: Cancel for values, Abort for warnings, the last
// button for questions.
class ScriptedPrompter : public Prompter {
public:
    struct Shown {
        std::string kind; // "number", "text", "warning", "message", "question"
        std::string caption;
        std::string text;
    };

    std::deque<std::optional<double>> numbers;
    std::deque<std::optional<std::string>> texts;
    std::deque<WarningResult> warnings;
    std::deque<Answer> answers;
    std::deque<UnwrittenRecordChoice> recordChoices;  // empty: Cancel
    std::deque<std::optional<std::string>> fileNames; // empty: cancelled
    // Called when a record choice is asked, before it is answered (a test mends the folder).
    std::function<void()> beforeRecordChoice;
    std::vector<Shown> shown;
    std::vector<MessageKind> messageIcons; // the icon of each message box, in order

    std::optional<double> askNumber(const std::string& heading,
                                    const std::string& valueText) override;
    std::optional<std::string> askText(const std::string& heading, const std::string& explanation,
                                       const std::string& proposed) override;
    WarningResult warn(const std::string& message, bool offerIgnore, bool offerIgnoreAll) override;
    void message(MessageKind kind, const std::string& caption, const std::string& text) override;
    Answer ask(const std::string& caption, const std::string& text,
               QuestionButtons buttons) override;
    UnwrittenRecordChoice askUnwrittenRecord(const std::string& path,
                                             const std::string& reason) override;
    std::optional<std::string> askSaveFileName(const std::string& caption,
                                               const std::string& proposed) override;
};

} // namespace gw
