#include "script/CommandWords.h"

#include "script/ScriptLexer.h"

namespace gw {

CommandWords CommandWords::Of(std::string_view commandName) {
    CommandWords words;
    std::size_t pos = 1;
    for (std::string token = NextToken(commandName, pos); !token.empty();
         token = NextToken(commandName, pos)) {
        words.normalization = words.normalization || token == "NORM";
        words.background = words.background || token == "BGD";
        words.word = token;
    }
    return words;
}

} // namespace gw
