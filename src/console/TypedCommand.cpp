#include "console/TypedCommand.h"

#include "link/ReaderLinkState.h"

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
    if (const std::optional<int> channels = CounterChannelsRequest(text)) {
        link.setCounterChannels(*channels);
    }
    return TypedCommandOutcome::SentToReader;
}

} // namespace

char UpperCaseCommandLetter(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
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
