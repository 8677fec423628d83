#pragma once

#include <QString>
#include <QTextCursor>

class QPlainTextEdit;

namespace gw {

class Prompter;

// What the find and replace dialogs hand over.
struct FindRequest {
    QString findText;
    QString replaceText;
    bool matchCase = false;
    bool wholeWord = false;
};

// Find, Replace and Replace All over the editor's text, forward only, with the editor's messages.
// A selection is replaced only when it is a match of the find text itself, so a selection left
// by something else (the failing line after a compile error) is never overwritten.
class ScriptFindReplace {
public:
    ScriptFindReplace(QPlainTextEdit& editor, Prompter& prompter);

    // Selects the next match behind the selection (or from the start of the text); "Text not
    // found." when there is none.
    bool findNext(const FindRequest& request);
    // Replaces the selection when it matches, else the first match from the start of the text.
    bool replace(const FindRequest& request);
    // Replaces a matching selection and every later match; tells the count. Returns it.
    int replaceAll(const FindRequest& request);

private:
    QTextCursor search(const FindRequest& request, int from) const;
    bool selectionMatches(const FindRequest& request) const;
    // Replaces the cursor's selection; the caret ends behind the inserted text.
    void replaceAt(QTextCursor cursor, const QString& text);

    QPlainTextEdit& editor_;
    Prompter& prompter_;
};

} // namespace gw
