#include "console/views/CommandField.h"

#include "console/TypedCommand.h"

#include <QFontDatabase>
#include <QKeyEvent>

namespace gw {

CommandField::CommandField(QWidget* parent) : QLineEdit(parent) {
    setObjectName("CommandField");
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

bool CommandField::event(QEvent* event) {
    // A line edit claims Copy before the menu's shortcut can see it; with nothing selected the
    // shortcut gets it.
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy) && !hasSelectedText()) {
        event->ignore();
        return true;
    }
    return QLineEdit::event(event);
}

void CommandField::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    const bool typed = text.size() == 1 && text[0].isPrint();
    if (typed && replayMode_) {
        return;
    }
    if (typed && text[0].unicode() < 0x80) {
        const char upper = UpperCaseCommandLetter(static_cast<char>(text[0].unicode()));
        if (upper != text[0]) {
            QKeyEvent raised(event->type(), event->key(), event->modifiers(), QString(QChar(upper)),
                             event->isAutoRepeat(), static_cast<ushort>(event->count()));
            QLineEdit::keyPressEvent(&raised);
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace gw
