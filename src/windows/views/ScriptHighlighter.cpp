#include "windows/views/ScriptHighlighter.h"

#include "script/ScriptLexer.h"
#include "script/ScriptWords.h"

#include <QRegularExpression>

namespace gw {

namespace {

std::string FirstWord(const QString& line) {
    return FirstToken(line.toStdString());
}

bool Contains(const char* word, const QString& line) {
    return ContainsWord(word, line.toStdString());
}

} // namespace

ScriptHighlighter::ScriptHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {
    keyword_.setForeground(QColor(0, 0, 160));
    keyword_.setFontWeight(QFont::Bold);
    command_.setForeground(QColor(128, 0, 96));
    command_.setFontWeight(QFont::Bold);
    comment_.setForeground(QColor(0, 128, 0));
    comment_.setFontItalic(true);
    string_.setForeground(QColor(160, 64, 0));
}

ScriptHighlighter::Region ScriptHighlighter::RegionAfter(Region region, const QString& line) {
    const std::string word = FirstWord(line);
    switch (region) {
    case BeforeHeader:
        return word == "METHOD" ? TopLevel : BeforeHeader;
    case TopLevel:
        if (word == "GLOBAL") {
            return InGlobal;
        }
        if (word == "SEQUENCE") {
            return InSequence;
        }
        return word == "METHOD" ? InMethod : TopLevel;
    case InGlobal:
        return Contains("END GLOBAL", line) ? TopLevel : InGlobal;
    case InSequence:
        return Contains("END SEQUENCE", line) ? TopLevel : InSequence;
    case InMethod:
        return Contains("END METHOD", line) ? AfterMethod : InMethod;
    case AfterMethod:
        return AfterMethod;
    }
    return region;
}

bool ScriptHighlighter::IsComment(Region region, const QString& line) {
    const std::string word = FirstWord(line);
    switch (region) {
    case BeforeHeader:
        return word != "METHOD";
    case TopLevel:
        return !word.empty() && !IsReservedWord(word);
    case AfterMethod:
        return true;
    default:
        return false;
    }
}

void ScriptHighlighter::highlightBlock(const QString& text) {
    const int previous = previousBlockState();
    const auto region = static_cast<Region>(previous < 0 ? BeforeHeader : previous);
    setCurrentBlockState(RegionAfter(region, text));
    if (IsComment(region, text)) {
        setFormat(0, static_cast<int>(text.size()), comment_);
        return;
    }
    colourWords(text);
    colourStrings(text);
}

void ScriptHighlighter::colourWords(const QString& text) {
    static const QRegularExpression word(QStringLiteral("[A-Za-z_][A-Za-z0-9_]*"));
    for (auto it = word.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const std::string name = match.captured().toStdString();
        if (IsReservedWord(name)) {
            setFormat(static_cast<int>(match.capturedStart()),
                      static_cast<int>(match.capturedLength()), keyword_);
        } else if (IsCommandWord(name) || IsModifier(name)) {
            setFormat(static_cast<int>(match.capturedStart()),
                      static_cast<int>(match.capturedLength()), command_);
        }
    }
}

void ScriptHighlighter::colourStrings(const QString& text) {
    qsizetype open = text.indexOf(QLatin1Char('"'));
    while (open >= 0) {
        qsizetype close = text.indexOf(QLatin1Char('"'), open + 1);
        const qsizetype end = close < 0 ? text.size() : close + 1;
        setFormat(static_cast<int>(open), static_cast<int>(end - open), string_);
        open = close < 0 ? -1 : text.indexOf(QLatin1Char('"'), close + 1);
    }
}

} // namespace gw
