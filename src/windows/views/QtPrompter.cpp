#include "windows/views/QtPrompter.h"

#include "platform/Windows1252.h"
#include "windows/views/TErrorMsgDlg.h"
#include "windows/views/TValueDlg.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace gw {

namespace {

QMessageBox::Icon iconOf(MessageKind kind) {
    switch (kind) {
    case MessageKind::Information:
        return QMessageBox::Information;
    case MessageKind::Warning:
        return QMessageBox::Warning;
    case MessageKind::Error:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons buttonsOf(QuestionButtons buttons) {
    switch (buttons) {
    case QuestionButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case QuestionButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case QuestionButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case QuestionButtons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

// Closing the box by its border counts as the last button.
Answer answerOf(int button, QuestionButtons buttons) {
    switch (button) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    case QMessageBox::Retry:
        return Answer::Retry;
    default:
        return buttons == QuestionButtons::YesNo ? Answer::No : Answer::Cancel;
    }
}

// Windows line breaks (CR LF) show as plain line breaks.
QString shown(const std::string& text) {
    return FromWindows1252(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

void QtPrompter::useDialogs(TValueDlg* valueDialog, TErrorMsgDlg* warningDialog) {
    valueDialog_ = valueDialog;
    warningDialog_ = warningDialog;
}

TValueDlg& QtPrompter::valueDialog() {
    if (valueDialog_.isNull()) {
        valueDialog_ = new TValueDlg(parent_);
        if (parent_.isNull()) {
            ownValueDialog_.reset(valueDialog_);
        }
    }
    return *valueDialog_;
}

TErrorMsgDlg& QtPrompter::warningDialog() {
    if (warningDialog_.isNull()) {
        warningDialog_ = new TErrorMsgDlg(parent_);
        if (parent_.isNull()) {
            ownWarningDialog_.reset(warningDialog_);
        }
    }
    return *warningDialog_;
}

std::optional<double> QtPrompter::askNumber(const std::string& heading,
                                            const std::string& valueText) {
    TValueDlg& dialog = valueDialog();
    dialog.prepareNumber(shown(heading), shown(valueText));
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.number();
}

std::optional<std::string> QtPrompter::askText(const std::string& heading,
                                               const std::string& explanation,
                                               const std::string& proposed) {
    TValueDlg& dialog = valueDialog();
    dialog.prepareText(shown(heading), shown(explanation), FromWindows1252(proposed));
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return ToWindows1252(dialog.text());
}

WarningResult QtPrompter::warn(const std::string& message, bool offerIgnore, bool offerIgnoreAll) {
    TErrorMsgDlg& dialog = warningDialog();
    dialog.prepare(shown(message), offerIgnore, offerIgnoreAll);
    dialog.exec();
    return dialog.warningResult();
}

void QtPrompter::message(MessageKind kind, const std::string& caption, const std::string& text) {
    QMessageBox box(iconOf(kind), shown(caption), shown(text), QMessageBox::Ok, parent_);
    box.exec();
}

Answer QtPrompter::ask(const std::string& caption, const std::string& text,
                       QuestionButtons buttons) {
    QMessageBox box(QMessageBox::Question, shown(caption), shown(text), buttonsOf(buttons),
                    parent_);
    return answerOf(box.exec(), buttons);
}

void QtPrompter::beep() {
    QApplication::beep();
}

UnwrittenRecordChoice QtPrompter::askUnwrittenRecord(const std::string& path,
                                                     const std::string& reason) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Data file error"),
                    shown("The record could not be written to the data file\r\n" + path + "\r\n(" +
                          reason +
                          ").\r\n\r\nRetry, save it to another file, or cancel: the record is "
                          "then kept until the console closes."),
                    QMessageBox::NoButton, parent_);
    QPushButton* retry = box.addButton(QMessageBox::Retry);
    QPushButton* saveAs = box.addButton(QStringLiteral("Save as..."), QMessageBox::AcceptRole);
    box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(retry);
    box.exec();
    if (box.clickedButton() == retry) {
        return UnwrittenRecordChoice::Retry;
    }
    return box.clickedButton() == saveAs ? UnwrittenRecordChoice::SaveAs
                                         : UnwrittenRecordChoice::Cancel;
}

std::optional<std::string> QtPrompter::askSaveFileName(const std::string& caption,
                                                       const std::string& proposed) {
    const QString chosen =
        QFileDialog::getSaveFileName(parent_, shown(caption), shown(proposed),
                                     QStringLiteral("Text files (*.txt);;All files (*)"));
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return ToWindows1252(chosen);
}

} // namespace gw
