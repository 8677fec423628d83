#pragma once

#include <QPlainTextEdit>

namespace gw {

class ScriptHighlighter;
class ScriptLineNumberArea;

// The script text: fixed pitch, no wrapping, line numbers in the margin, the script language
// coloured, and the line of the last compile error marked until the text changes.
class ScriptCodeEditor : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit ScriptCodeEditor(QWidget* parent = nullptr);

    // The text as typed: line breaks as '\n', every other character kept (no-break spaces too).
    QString text() const;

    // Selects the 1-based line from its start to its end and marks it; the caret ends at the
    // line's start side of the selection, as the compiler left it.
    void markErrorLine(int line);
    // The marked line, 0 when none.
    int errorLine() const { return errorLine_; }

    int lineNumberAreaWidth() const;
    void paintLineNumbers(const QPaintEvent& event);

    // The fixed-pitch font of the editor and the listings.
    static QFont ScriptFont();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateMargin();
    void scrollMargin(const QRect& rect, int dy);
    void showErrorMark();
    void clearErrorMark();

    ScriptLineNumberArea* numbers_;
    ScriptHighlighter* highlighter_;
    int errorLine_ = 0;
    QString markedText_;
};

} // namespace gw
