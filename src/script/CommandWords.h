#pragma once

#include <string>
#include <string_view>

namespace gw {

// A command's name read as its modifiers and its command word (the last token).
struct CommandWords {
    std::string word;
    bool normalization = false; // NORM among the tokens
    bool background = false;    // BGD among the tokens

    static CommandWords Of(std::string_view commandName);
};

} // namespace gw
