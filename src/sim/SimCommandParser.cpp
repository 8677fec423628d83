#include "sim/SimCommandParser.h"

#include <cctype>
#include <cstdlib>

namespace gw {

namespace {

bool isSeparator(char c) {
    return c == ' ' || c == '\r' || c == '\n' || c == '\t';
}

bool startsCommand(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0 || c == '@' || c == ']';
}

bool parseNumber(const std::string& text, long& value) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, 10);
    return end != nullptr && *end == '\0';
}

} // namespace

int SimCommandParser::argumentCount(char letter, long firstArgument) {
    switch (std::toupper(static_cast<unsigned char>(letter))) {
    case 'M':
    case 'Z':
        return 0;
    case 'A':
    case 'J':
    case 'P':
    case 'C':
    case 'H':
    case 'K':
    case 'V':
    case 'O':
    case '@':
    case 'D':
    case 'L':
    case 'R':
    case 'G':
    case 'Q':
        return 1;
    case 'E':
    case 'W':
    case 'S':
    case 'I':
    case 'N':
        return 2;
    case 'U':
        return 3;
    case 'X':
        return 4;
    case 'B':
        return 8;
    case 'T':
        switch (firstArgument) {
        case 21:
        case 23:
            return 2;
        case 22:
            return 3;
        default:
            return 1;
        }
    default:
        return -1;
    }
}

std::vector<SimCommand> SimCommandParser::feed(std::string_view bytes) {
    std::vector<SimCommand> done;
    for (char c : bytes) {
        if (!isSeparator(c)) {
            token_ += c;
            continue;
        }
        if (!token_.empty()) {
            takeToken(token_, done);
            token_.clear();
        }
    }
    return done;
}

std::vector<SimCommand> SimCommandParser::flush() {
    std::vector<SimCommand> done;
    if (!token_.empty()) {
        takeToken(token_, done);
        token_.clear();
    }
    if (hasPending_) {
        finishPending(done);
    }
    return done;
}

bool SimCommandParser::pendingComplete() const {
    if (pending_.args.empty()) {
        return argumentCount(pending_.letter, 0) == 0;
    }
    const int wanted = argumentCount(pending_.letter, pending_.args.front());
    return wanted >= 0 && static_cast<int>(pending_.args.size()) >= wanted;
}

void SimCommandParser::finishPending(std::vector<SimCommand>& done) {
    const long first = pending_.args.empty() ? 0 : pending_.args.front();
    const int wanted = argumentCount(pending_.letter, first);
    if (wanted >= 0 && static_cast<int>(pending_.args.size()) < wanted) {
        pending_.malformed = true;
    }
    done.push_back(pending_);
    pending_ = SimCommand{};
    hasPending_ = false;
}

void SimCommandParser::takeToken(const std::string& token, std::vector<SimCommand>& done) {
    long value = 0;
    if (hasPending_ && !startsCommand(token.front())) {
        if (!parseNumber(token, value)) {
            pending_.malformed = true;
        }
        pending_.args.push_back(value);
        pending_.text += ' ' + token;
        if (pendingComplete()) {
            finishPending(done);
        }
        return;
    }
    if (hasPending_) {
        finishPending(done);
    }
    if (!startsCommand(token.front())) {
        // A stray argument with no command before it.
        done.push_back(SimCommand{0, {}, token, true});
        return;
    }
    pending_ = SimCommand{token.front(), {}, token, false};
    hasPending_ = true;
    const std::string firstArgument = token.substr(1);
    if (!firstArgument.empty()) {
        if (!parseNumber(firstArgument, value)) {
            pending_.malformed = true;
        }
        pending_.args.push_back(value);
    }
    if (pendingComplete() || pending_.malformed) {
        finishPending(done);
    }
}

} // namespace gw
