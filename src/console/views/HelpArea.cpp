#include "console/views/HelpArea.h"

#include <QFontDatabase>
#include <QMouseEvent>
#include <QTextBlock>

namespace gw {

HelpArea::HelpArea(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName("HelpArea");
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void HelpArea::showPage(const QString& text) {
    setPlainText(text);
    QTextCursor cursor = textCursor();
    cursor.movePosition(QTextCursor::Start);
    setTextCursor(cursor);
}

void HelpArea::mousePressEvent(QMouseEvent* event) {
    QPlainTextEdit::mousePressEvent(event);
    const QTextCursor at = cursorForPosition(event->position().toPoint());
    emit clickedAt(at.blockNumber() + 1, at.positionInBlock() + 1);
}

} // namespace gw
