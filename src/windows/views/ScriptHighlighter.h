#pragma once

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

namespace gw {

// Colours a script as the compiler reads it: reserved words, measurement commands and modifiers,
// quoted texts, and as comments the lines it ignores (before the header, between blocks whose
// first word is not reserved, after END METHOD).
class ScriptHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    explicit ScriptHighlighter(QTextDocument* document);

    // Where a line stands in the script; kept as each line's block state.
    enum Region { BeforeHeader = 0, TopLevel, InGlobal, InSequence, InMethod, AfterMethod };

    // The region of the line after one of the given region.
    static Region RegionAfter(Region region, const QString& line);
    // Whether the compiler ignores the line in the given region.
    static bool IsComment(Region region, const QString& line);

protected:
    void highlightBlock(const QString& text) override;

private:
    void colourWords(const QString& text);
    void colourStrings(const QString& text);

    QTextCharFormat keyword_;
    QTextCharFormat command_;
    QTextCharFormat comment_;
    QTextCharFormat string_;
};

} // namespace gw
