#include "script/ScriptLexer.h"

#include <algorithm>

namespace gw {

namespace {

bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

} // namespace

bool IsTokenSeparator(char c) {
    return c == '\t' || c == ' ' || c == '(' || c == ')' || c == ',';
}

std::string NextToken(std::string_view line, std::size_t& pos, std::size_t& start) {
    std::size_t i = pos == 0 ? 0 : pos - 1;
    while (i < line.size() && IsTokenSeparator(line[i])) {
        ++i;
    }
    start = i;
    if (i >= line.size()) {
        pos = line.size() + 1;
        return {};
    }
    while (i < line.size() && !IsTokenSeparator(line[i])) {
        if (line[i++] == '"') {
            const std::size_t close = line.find('"', i);
            i = close == std::string_view::npos ? line.size() : close + 1;
        }
    }
    std::string token(line.substr(start, i - start));
    // Step over the separator that ended the token; pos is 1-based.
    pos = i < line.size() ? i + 2 : line.size() + 1;
    return token;
}

std::string NextToken(std::string_view line, std::size_t& pos) {
    std::size_t start = 0;
    return NextToken(line, pos, start);
}

std::string FirstToken(std::string_view line) {
    std::size_t pos = 1;
    return NextToken(line, pos);
}

int CountTokens(std::string_view text) {
    int count = 0;
    std::size_t pos = 1;
    while (!NextToken(text, pos).empty()) {
        ++count;
    }
    return count;
}

bool ContainsWord(std::string_view word, std::string_view line) {
    const std::size_t at = line.find(word);
    if (word.empty() || at == std::string_view::npos) {
        return false;
    }
    if (at == 0) {
        return true;
    }
    const std::size_t after = at + word.size();
    return IsTokenSeparator(line[at - 1]) &&
           (after >= line.size() || IsTokenSeparator(line[after]));
}

std::string QuotedText(std::string_view line) {
    const std::size_t open = line.find('"');
    if (open == std::string_view::npos) {
        return {};
    }
    const std::size_t close = line.find('"', open + 1);
    if (close == std::string_view::npos) {
        return {};
    }
    return std::string(line.substr(open + 1, close - open - 1));
}

std::string TrimLeft(std::string_view text) {
    const auto first = std::find_if_not(text.begin(), text.end(), IsBlankOrControl);
    return std::string(first, text.end());
}

std::string TrimRight(std::string_view text) {
    std::size_t end = text.size();
    while (end > 0 && IsBlankOrControl(text[end - 1])) {
        --end;
    }
    return std::string(text.substr(0, end));
}

std::string TrimBoth(std::string_view text) {
    return TrimRight(TrimLeft(text));
}

std::string TakeGroup(std::string& text) {
    std::size_t start = std::string::npos;
    std::size_t end = std::string::npos;
    long depth = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '(') {
            if (start == std::string::npos) {
                start = i;
            }
            ++depth;
        } else if (text[i] == ')') {
            --depth;
            if (depth == 0 && start != std::string::npos) {
                end = i;
            }
        }
    }
    if (text.empty()) {
        return {};
    }
    if (start == std::string::npos) {
        start = 0;
        end = 0;
    } else if (end == std::string::npos) {
        end = text.size() - 1;
    }
    std::string group = text.substr(start, end - start + 1);
    std::size_t cut = end + 1;
    while (cut < text.size() && (text[cut] == '\t' || text[cut] == ' ' || text[cut] == ',')) {
        ++cut;
    }
    text.erase(0, cut);
    return group;
}

std::size_t CountChar(std::string_view text, char c) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), c));
}

} // namespace gw
