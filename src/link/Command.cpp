#include "link/Command.h"

namespace gw {

std::string LoggedText(const Command& command) {
    std::string text = command.text;
    if (!text.empty() && text.back() == '\r') {
        text.pop_back();
    }
    return text;
}

std::optional<LogLine> CommandLogLine(const Command& command) {
    const std::string quoted = "\"" + LoggedText(command) + "\"";
    switch (command.logStyle) {
    case CommandLogStyle::Quoted:
        return StampedLine(": " + quoted);
    case CommandLogStyle::QuotedNoColon:
        return StampedLine(quoted);
    case CommandLogStyle::ToScanner:
        return StampedLine(": to scanner " + quoted);
    case CommandLogStyle::NotLogged:
        break;
    }
    return std::nullopt;
}

} // namespace gw
