#include "windows/views/ScriptFindReplace.h"

#include "core/Prompter.h"
#include "platform/Windows1252.h"

#include <QPlainTextEdit>
#include <QTextDocument>

namespace gw {

namespace {

QTextDocument::FindFlags FlagsOf(const FindRequest& request) {
    QTextDocument::FindFlags flags;
    if (request.matchCase) {
        flags |= QTextDocument::FindCaseSensitively;
    }
    if (request.wholeWord) {
        flags |= QTextDocument::FindWholeWords;
    }
    return flags;
}

} // namespace

ScriptFindReplace::ScriptFindReplace(QPlainTextEdit& editor, Prompter& prompter)
    : editor_(editor), prompter_(prompter) {}

QTextCursor ScriptFindReplace::search(const FindRequest& request, int from) const {
    if (request.findText.isEmpty()) {
        return {};
    }
    return editor_.document()->find(request.findText, from, FlagsOf(request));
}

bool ScriptFindReplace::selectionMatches(const FindRequest& request) const {
    const QTextCursor selection = editor_.textCursor();
    if (!selection.hasSelection()) {
        return false;
    }
    const QTextCursor match = search(request, selection.selectionStart());
    return !match.isNull() && match.selectionStart() == selection.selectionStart() &&
           match.selectionEnd() == selection.selectionEnd();
}

bool ScriptFindReplace::findNext(const FindRequest& request) {
    const QTextCursor current = editor_.textCursor();
    const QTextCursor match = search(request, current.hasSelection() ? current.selectionEnd() : 0);
    if (match.isNull()) {
        prompter_.message(MessageKind::Error, "Error", "Text not found.");
        return false;
    }
    editor_.setTextCursor(match);
    editor_.setFocus();
    return true;
}

void ScriptFindReplace::replaceAt(QTextCursor cursor, const QString& text) {
    cursor.insertText(text);
    editor_.setTextCursor(cursor);
}

bool ScriptFindReplace::replace(const FindRequest& request) {
    QTextCursor target = selectionMatches(request) ? editor_.textCursor() : search(request, 0);
    if (target.isNull()) {
        prompter_.message(MessageKind::Information, "Information",
                          "\"" + ToWindows1252(request.findText) + "\" not found.");
        return false;
    }
    replaceAt(target, request.replaceText);
    return true;
}

int ScriptFindReplace::replaceAll(const FindRequest& request) {
    int count = 0;
    int from = 0;
    QTextCursor edit = editor_.textCursor();
    edit.beginEditBlock();
    if (selectionMatches(request)) {
        QTextCursor selection = editor_.textCursor();
        selection.insertText(request.replaceText);
        from = selection.position();
        ++count;
    }
    for (QTextCursor match = search(request, from); !match.isNull();
         match = search(request, from)) {
        match.insertText(request.replaceText);
        from = match.position();
        editor_.setTextCursor(match);
        ++count;
    }
    edit.endEditBlock();
    prompter_.message(MessageKind::Information, "Information",
                      count == 0 ? std::string("No replaces made.")
                                 : std::to_string(count) + " replace(s) made.");
    return count;
}

} // namespace gw
