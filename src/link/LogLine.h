#pragma once

#include <string>

namespace gw {

// One line for the console log. A time-stamped line is written with AppendLog (the local time of
// day followed by the text, which by convention begins with ": "); the others go in as they are.
struct LogLine {
    bool timeStamped = true;
    std::string text;

    bool operator==(const LogLine&) const = default;
};

inline LogLine StampedLine(std::string text) {
    return {true, std::move(text)};
}
inline LogLine PlainLine(std::string text) {
    return {false, std::move(text)};
}

} // namespace gw
