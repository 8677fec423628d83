#pragma once

#include "core/Prompter.h"

#include <QPointer>
#include <QWidget>
#include <memory>

namespace gw {

class TErrorMsgDlg;
class TValueDlg;

// The Prompter of the windowed console: message boxes and small input dialogs over the main
// window. Texts arrive as Windows-1252 bytes and are shown as Unicode.
class QtPrompter : public Prompter {
public:
    // Dialogs are centred on this window (the main window once it exists).
    void setParentWidget(QWidget* parent) { parent_ = parent; }
    // The value and warning dialogs created at start-up; without them the prompter makes its own
    // when first needed.
    void useDialogs(TValueDlg* valueDialog, TErrorMsgDlg* warningDialog);
    TValueDlg& valueDialog();
    TErrorMsgDlg& warningDialog();

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
    void beep() override;

private:
    QPointer<QWidget> parent_;
    QPointer<TValueDlg> valueDialog_;
    QPointer<TErrorMsgDlg> warningDialog_;
    // Dialogs made here without a window to own them.
    std::unique_ptr<QWidget> ownValueDialog_;
    std::unique_ptr<QWidget> ownWarningDialog_;
};

} // namespace gw
