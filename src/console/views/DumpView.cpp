#include "console/views/DumpView.h"

#include "platform/Windows1252.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>

namespace gw {

int ReplayStepOfKey(int key) {
    switch (key) {
    case Qt::Key_Plus:
    case Qt::Key_Equal: // the + key of the main keyboard, unshifted
        return 1;
    case Qt::Key_Minus:
        return -1;
    default:
        return 0;
    }
}

DumpView::DumpView(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName("DumpView");
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setUndoRedoEnabled(false);
    appendTimer_.setSingleShot(true);
    appendTimer_.setInterval(AppendMs);
    connect(&appendTimer_, &QTimer::timeout, this, &DumpView::flushPendingLines);
}

DumpView::~DumpView() {
    if (dump_ != nullptr) {
        dump_->setListener(nullptr);
    }
}

void DumpView::follow(Dump* dump) {
    dump_ = dump;
    dropPendingLines();
    clear();
    QStringList lines;
    for (std::size_t i = 0; i < dump->lineCount(); ++i) {
        lines << FromWindows1252(dump->line(i));
    }
    if (!lines.isEmpty()) {
        setPlainText(lines.join('\n'));
    }
    dump->setListener(this);
}

void DumpView::lineAppended(const std::string& line) {
    pending_ << FromWindows1252(line);
    if (!appendTimer_.isActive()) {
        appendTimer_.start();
    }
}

void DumpView::flushPendingLines() {
    appendTimer_.stop();
    if (pending_.isEmpty()) {
        return;
    }
    // Keep the operator's place unless the view was following the end.
    QScrollBar* bar = verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    const QTextCursor kept = textCursor();
    appendPlainText(pending_.join(QLatin1Char('\n')));
    pending_.clear();
    if (!atEnd || replayMode_) {
        setTextCursor(kept);
    }
}

void DumpView::dropPendingLines() {
    appendTimer_.stop();
    pending_.clear();
}

void DumpView::oldestLinesRemoved(std::size_t count) {
    flushPendingLines(); // the count includes lines still waiting
    if (count >= static_cast<std::size_t>(document()->blockCount())) {
        clear();
        return;
    }
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, static_cast<int>(count));
    cursor.removeSelectedText();
}

void DumpView::cleared() {
    dropPendingLines();
    clear();
}

std::string DumpView::currentLine() {
    flushPendingLines();
    return ToWindows1252(textCursor().block().text());
}

void DumpView::startReplay() {
    flushPendingLines();
    QTextCursor cursor = textCursor();
    cursor.movePosition(QTextCursor::Start);
    setTextCursor(cursor);
    emit decodeLine(currentLine());
}

void DumpView::stepReplay(int direction) {
    flushPendingLines();
    QTextCursor cursor = textCursor();
    const QTextBlock block = cursor.block();
    if (direction > 0 && block.next().isValid()) {
        cursor.setPosition(block.next().position());
    } else if (direction < 0 && block.previous().isValid()) {
        const QTextBlock previous = block.previous();
        cursor.setPosition(previous.position() + previous.length() - 1);
    } else {
        return;
    }
    setTextCursor(cursor);
    emit decodeLine(currentLine());
}

void DumpView::keyPressEvent(QKeyEvent* event) {
    flushPendingLines();
    if (const int step = ReplayStepOfKey(event->key()); step != 0 && replayMode_) {
        stepReplay(step);
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void DumpView::keyReleaseEvent(QKeyEvent* event) {
    QPlainTextEdit::keyReleaseEvent(event);
    const bool stepped = replayMode_ && ReplayStepOfKey(event->key()) != 0;
    if (!stepped && !event->isAutoRepeat()) {
        emit decodeLine(currentLine());
    }
}

void DumpView::mousePressEvent(QMouseEvent* event) {
    flushPendingLines(); // the click lands on the text as it will stand
    QPlainTextEdit::mousePressEvent(event);
}

void DumpView::mouseReleaseEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseReleaseEvent(event);
    emit decodeLine(currentLine());
}

} // namespace gw
