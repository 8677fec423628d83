#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace gw {

// Token, word and group operations of the script compiler over one line (or one working text).

// TAB, blank, '(', ')' and ','.
bool IsTokenSeparator(char c);

// The token that starts at or after the 1-based position pos; pos then points after the
// separator that ended it. A double-quote character pulls everything up to the next one into the
// token, separators included. An empty token means the line holds no more tokens. When start is
// given it receives the 0-based index of the token's first character.
std::string NextToken(std::string_view line, std::size_t& pos);
std::string NextToken(std::string_view line, std::size_t& pos, std::size_t& start);

// The first token of the line.
std::string FirstToken(std::string_view line);

// Number of non-empty tokens of the text.
int CountTokens(std::string_view text);

// Whether the first occurrence of word in line stands as a word: at the line's start (whatever
// follows), or between separators (or the line's end). Later occurrences are not examined.
bool ContainsWord(std::string_view word, std::string_view line);

// The text between the first and the second double-quote character; empty with fewer than two.
std::string QuotedText(std::string_view line);

// Removes blanks and control characters (every character up to and including the blank).
std::string TrimBoth(std::string_view text);
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);

// Removes the first parenthesised group, running to the last ')' that balances the first '(', from
// the text together with everything before it and the TAB, blank and ',' characters after it, and
// returns the group. Without '(' the group is the text's first character alone. A '(' that is
// never balanced takes the rest of the text into the group.
std::string TakeGroup(std::string& text);

// Number of occurrences of c in text.
std::size_t CountChar(std::string_view text, char c);

} // namespace gw
