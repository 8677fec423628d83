#pragma once

#include <string>
#include <vector>

namespace gw {

// One reader command as the reader reads it: its letter ("@" for the heater set point, "]" for
// the scanner) and its numeric arguments. `text` keeps what arrived, for messages.
struct SimCommand {
    char letter = 0;
    std::vector<long> args;
    std::string text;
    bool malformed = false; // an argument was not a number, or arguments were missing
};

} // namespace gw
