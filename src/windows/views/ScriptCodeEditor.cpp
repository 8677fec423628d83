#include "windows/views/ScriptCodeEditor.h"

#include "windows/views/ScriptHighlighter.h"
#include "windows/views/ScriptLineNumberArea.h"

#include <QFontDatabase>
#include <QPainter>
#include <QTextBlock>

namespace gw {

ScriptCodeEditor::ScriptCodeEditor(QWidget* parent)
    : QPlainTextEdit(parent), numbers_(new ScriptLineNumberArea(this)),
      highlighter_(new ScriptHighlighter(document())) {
    setFont(ScriptFont());
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    connect(this, &QPlainTextEdit::blockCountChanged, this, &ScriptCodeEditor::updateMargin);
    connect(this, &QPlainTextEdit::updateRequest, this, &ScriptCodeEditor::scrollMargin);
    connect(this, &QPlainTextEdit::textChanged, this, &ScriptCodeEditor::clearErrorMark);
    updateMargin();
}

QFont ScriptCodeEditor::ScriptFont() {
    QFont font(QStringLiteral("Lucida Console"));
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    if (!QFontInfo(font).fixedPitch()) {
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    }
    font.setPointSize(10);
    return font;
}

QString ScriptCodeEditor::text() const {
    QString raw = document()->toRawText();
    raw.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    raw.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return raw;
}

void ScriptCodeEditor::markErrorLine(int line) {
    const QTextBlock block = document()->findBlockByNumber(line - 1);
    if (!block.isValid()) {
        return;
    }
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    errorLine_ = line;
    markedText_ = text();
    showErrorMark();
}

void ScriptCodeEditor::showErrorMark() {
    QTextEdit::ExtraSelection mark;
    mark.format.setBackground(QColor(255, 210, 210));
    mark.format.setProperty(QTextFormat::FullWidthSelection, true);
    mark.cursor = QTextCursor(document()->findBlockByNumber(errorLine_ - 1));
    setExtraSelections({mark});
}

void ScriptCodeEditor::clearErrorMark() {
    // Colouring the text also reports a change; only an edit of the text removes the mark.
    if (errorLine_ != 0 && text() != markedText_) {
        errorLine_ = 0;
        setExtraSelections({});
    }
}

int ScriptCodeEditor::lineNumberAreaWidth() const {
    int digits = 1;
    for (int count = std::max(1, blockCount()); count >= 10; count /= 10) {
        ++digits;
    }
    return 8 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * std::max(3, digits);
}

void ScriptCodeEditor::updateMargin() {
    setViewportMargins(lineNumberAreaWidth(), 0, 0, 0);
}

void ScriptCodeEditor::scrollMargin(const QRect& rect, int dy) {
    if (dy != 0) {
        numbers_->scroll(0, dy);
    } else {
        numbers_->update(0, rect.y(), numbers_->width(), rect.height());
    }
    if (rect.contains(viewport()->rect())) {
        updateMargin();
    }
}

void ScriptCodeEditor::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    const QRect area = contentsRect();
    numbers_->setGeometry(area.left(), area.top(), lineNumberAreaWidth(), area.height());
}

void ScriptCodeEditor::paintLineNumbers(const QPaintEvent& event) {
    QPainter painter(numbers_);
    painter.fillRect(event.rect(), QColor(236, 236, 236));
    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    const int right = numbers_->width() - 4;
    while (block.isValid() && top <= event.rect().bottom()) {
        const int height = qRound(blockBoundingRect(block).height());
        if (block.isVisible() && top + height >= event.rect().top()) {
            const int line = block.blockNumber() + 1;
            if (line == errorLine_) {
                painter.fillRect(0, top, numbers_->width(), height, QColor(220, 60, 60));
                painter.setPen(Qt::white);
            } else {
                painter.setPen(QColor(120, 120, 120));
            }
            painter.drawText(0, top, right, height, Qt::AlignRight | Qt::AlignVCenter,
                             QString::number(line));
        }
        block = block.next();
        top += height;
    }
}

} // namespace gw
