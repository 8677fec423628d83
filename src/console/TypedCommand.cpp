#include "console/TypedCommand.h"

#include <charconv>

namespace gw {

namespace {

constexpr char ScannerPrefix = ']';

bool contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

TypedCommandOutcome sendToReader(std::string text, CommandConsoleLink& link) {
    if (text.back() != ' ') {
        text += ' ';
    }
    text = link.applyShortReplyRule(text);
    link.sendToReader(text);
    link.appendLog(": \"" + text + "\"");
    if (contains(text, "P1 ")) {
        link.setPurgeSwitch(true);
    }
    if (contains(text, "P0 ")) {
        link.setPurgeSwitch(false);
    }
    if (const std::optional<int> channels = CounterChannelsOfCommand(text)) {
        link.setCounterChannels(*channels);
    }
    return TypedCommandOutcome::SentToReader;
}

} // namespace

char UpperCaseCommandLetter(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::optional<int> CounterChannelsOfCommand(const std::string& text) {
    const std::size_t at = text.find("T21 ");
    if (at == std::string::npos) {
        return std::nullopt;
    }
    std::size_t start = text.find_first_not_of(' ', at + 4);
    if (start == std::string::npos) {
        return std::nullopt;
    }
    std::size_t end = text.find(' ', start);
    end = end == std::string::npos ? text.size() : end;
    int n = -1;
    const char* first = text.data() + start;
    const char* last = text.data() + end;
    const auto [stop, error] = std::from_chars(first, last, n);
    if (error != std::errc{} || stop != last || n < 0) {
        return std::nullopt;
    }
    return n < 1 ? 1 : (n > 4 ? 4 : n);
}

TypedCommandOutcome SubmitTypedCommand(const std::string& text, CommandConsoleLink& link) {
    if (text.empty()) {
        return TypedCommandOutcome::Empty;
    }
    const bool forScanner = text.front() == ScannerPrefix;
    if (!forScanner && link.readerPortOpen()) {
        return sendToReader(text, link);
    }
    if (forScanner && link.scannerPortOpen()) {
        link.sendToScanner(text + '\r');
        return TypedCommandOutcome::SentToScanner;
    }
    return TypedCommandOutcome::NotSent;
}

} // namespace gw
