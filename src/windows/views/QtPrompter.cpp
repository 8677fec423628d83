#include "windows/views/QtPrompter.h"

#include "platform/Windows1252.h"

#include <QApplication>
#include <QInputDialog>
#include <QLocale>
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
    default:
        return buttons == QuestionButtons::YesNo ? Answer::No : Answer::Cancel;
    }
}

// Windows line breaks (CR LF) show as plain line breaks.
QString shown(const std::string& text) {
    return FromWindows1252(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

std::optional<double> QtPrompter::askNumber(const std::string& heading,
                                            const std::string& valueText) {
    bool ok = false;
    const QString text = QInputDialog::getText(parent_, QStringLiteral("Value"), shown(heading),
                                               QLineEdit::Normal, FromWindows1252(valueText), &ok);
    if (!ok) {
        return std::nullopt;
    }
    // Scripts write numbers with "."; the operator's own separator is accepted too.
    bool parsed = false;
    double value = text.trimmed().toDouble(&parsed);
    if (!parsed) {
        value = QLocale::system().toDouble(text.trimmed(), &parsed);
    }
    return parsed ? std::optional<double>(value) : std::nullopt;
}

std::optional<std::string> QtPrompter::askText(const std::string& heading,
                                               const std::string& explanation,
                                               const std::string& proposed) {
    bool ok = false;
    const QString text = QInputDialog::getText(parent_, shown(heading), shown(explanation),
                                               QLineEdit::Normal, FromWindows1252(proposed), &ok);
    return ok ? std::optional<std::string>(ToWindows1252(text)) : std::nullopt;
}

WarningResult QtPrompter::warn(const std::string& message, bool offerIgnore, bool offerIgnoreAll) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Warning"), shown(message),
                    QMessageBox::Abort, parent_);
    QPushButton* ignore = offerIgnore ? box.addButton(QMessageBox::Ignore) : nullptr;
    QPushButton* ignoreAll =
        offerIgnoreAll ? box.addButton(QStringLiteral("Ignore all"), QMessageBox::AcceptRole)
                       : nullptr;
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    if (clicked != nullptr && clicked == ignore) {
        return WarningResult::Ignore;
    }
    if (clicked != nullptr && clicked == ignoreAll) {
        return WarningResult::IgnoreAll;
    }
    return clicked == box.button(QMessageBox::Abort) ? WarningResult::Abort : WarningResult::Cancel;
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

} // namespace gw
