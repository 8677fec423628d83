#pragma once

#include <string>

namespace gw {

// Turns the readable source of the command help into the bytes of "Command.info".
//
// Source lines: "#" comments; "%tabs n ..." the tab stops (ascending 1-based columns, at most
// eleven); "%entry L Title" starts the help of command letter L; "%page" starts its next page;
// any other line is help text, taken as it is. Blank lines at the end of a page are dropped.
class CommandHelpSource {
public:
    static constexpr std::size_t MaxTitleLength = 16; // letter, blank, title and a blank: one cell
    static constexpr char HeaderByte = '\x01';

    struct Result {
        bool ok = false;
        std::string bytes;
        std::string error; // with the line number, when not ok
    };

    static Result build(const std::string& source);
};

} // namespace gw
