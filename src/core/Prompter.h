#pragma once

#include <optional>
#include <string>

namespace gw {

// Results of the warning dialog, with the modal result numbers the callers compare against.
enum class WarningResult { Cancel = 2, Abort = 3, Ignore = 5, IgnoreAll = 6 };

// Which buttons a question offers.
enum class QuestionButtons { YesNo, YesNoCancel, OkCancel, RetryCancel };

enum class Answer { Yes, No, Ok, Cancel, Retry };

// The operator's answer to a record that could not be written: try the same file again, write
// it to another file, or keep it in memory for now.
enum class UnwrittenRecordChoice { Retry, SaveAs, Cancel };

// Icon of a plain message box; the caption and text are the caller's.
enum class MessageKind { Information, Warning, Error };

// Every modal question and message box of the console goes through this seam, so that model code,
// tests and gwtool get answers without a window. Texts are 8-bit profile/script texts
// (Windows-1252); the windowed implementation converts them at the boundary.
class Prompter {
public:
    virtual ~Prompter() = default;

    // Value dialog, number mode: heading and the variable's current value text. Empty on Cancel.
    virtual std::optional<double> askNumber(const std::string& heading,
                                            const std::string& valueText) = 0;

    // Value dialog, text mode: heading, explanation and a proposed text. Empty on Cancel.
    virtual std::optional<std::string> askText(const std::string& heading,
                                               const std::string& explanation,
                                               const std::string& proposed) = 0;

    // Warning dialog with Abort, optionally Ignore, optionally "Ignore all".
    virtual WarningResult warn(const std::string& message, bool offerIgnore,
                               bool offerIgnoreAll) = 0;

    // A message box with one OK button.
    virtual void message(MessageKind kind, const std::string& caption, const std::string& text) = 0;

    // A question; returns the button chosen (closing the box counts as the last button).
    virtual Answer ask(const std::string& caption, const std::string& text,
                       QuestionButtons buttons) = 0;

    // A record could not be written to `path` for the system's `reason`: Retry, "Save as..." or
    // Cancel. Without a window the record is kept (Cancel).
    virtual UnwrittenRecordChoice askUnwrittenRecord(const std::string& /*path*/,
                                                     const std::string& /*reason*/) {
        return UnwrittenRecordChoice::Cancel;
    }

    // A file name to save to, the proposed path preset; empty when cancelled.
    virtual std::optional<std::string> askSaveFileName(const std::string& /*caption*/,
                                                       const std::string& /*proposed*/) {
        return std::nullopt;
    }

    // An acoustic beep before a prompt that is shown again.
    virtual void beep() {}
};

} // namespace gw
