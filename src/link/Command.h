#pragma once

#include "link/LogLine.h"

#include <optional>
#include <string>

namespace gw {

enum class CommandTarget { Reader, Scanner };

// How a sender writes a command to the console log.
enum class CommandLogStyle {
    Quoted,        // time, ": ", the text in double quotes
    QuotedNoColon, // time directly followed by the text in double quotes
    ToScanner,     // time, ": to scanner ", the text in double quotes
    NotLogged,     // the operator's typed scanner commands
};

// One text for a port, built by CommandBuilder. `text` is exactly what is written (a trailing CR
// included where the command needs one); the port adds nothing.
struct Command {
    std::string name;
    std::string text;
    CommandTarget target = CommandTarget::Reader;
    CommandLogStyle logStyle = CommandLogStyle::Quoted;

    bool operator==(const Command&) const = default;
};

// The text without its trailing CR, as the log shows it.
std::string LoggedText(const Command& command);

// The log line every sender writes after sending the command; none for unlogged commands.
std::optional<LogLine> CommandLogLine(const Command& command);

} // namespace gw
