#pragma once

#include "sim/SimCommand.h"

#include <string>
#include <string_view>
#include <vector>

namespace gw {

// Cuts the byte stream from the console into reader commands. A command is a letter immediately
// followed by its first argument, further arguments after single blanks; blanks, CR and LF
// separate. A command is complete as soon as it holds the arguments its letter takes, or when the
// next letter begins; so "M O0 P0 " gives three commands and "T21 2 " one.
class SimCommandParser {
public:
    // Appends bytes and returns every command they complete.
    std::vector<SimCommand> feed(std::string_view bytes);

    // Ends a pending command that is still waiting for arguments (the line went quiet).
    std::vector<SimCommand> flush();

    // Whether bytes of an unfinished command are waiting.
    bool hasPending() const { return hasPending_ || !token_.empty(); }

    // Number of arguments a command takes, -1 when the letter is unknown.
    static int argumentCount(char letter, long firstArgument);

private:
    void takeToken(const std::string& token, std::vector<SimCommand>& done);
    void finishPending(std::vector<SimCommand>& done);
    bool pendingComplete() const;

    std::string token_;
    SimCommand pending_;
    bool hasPending_ = false;
};

} // namespace gw
