#include "console/runtime/ConsoleCommandLink.h"

#include "console/runtime/Console.h"
#include "core/SystemTypeNames.h"

namespace gw {

namespace {

QByteArray bytesOf(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

bool ConsoleCommandLink::readerPortOpen() const {
    return console_.ports.reader().isOpen();
}

bool ConsoleCommandLink::scannerPortOpen() const {
    return console_.ports.scanner().isOpen();
}

std::string ConsoleCommandLink::applyShortReplyRule(const std::string& text) {
    const SystemProfile& profile = console_.profile.Profile;
    const bool shortDataAllowed = profile.ReaderType == System6600 && profile.ShortDataMode;
    return ApplyT23Rule(text, shortDataAllowed, console_.linkState);
}

void ConsoleCommandLink::sendToReader(const std::string& text) {
    console_.ports.reader().write(bytesOf(text));
}

void ConsoleCommandLink::sendToScanner(const std::string& text) {
    console_.ports.scanner().write(bytesOf(text));
}

void ConsoleCommandLink::appendLog(const std::string& text) {
    console_.AppendLog(text);
}

void ConsoleCommandLink::setPurgeSwitch(bool on) {
    console_.linkState.PurgeSwitch = on;
}

void ConsoleCommandLink::setCounterChannels(int channels) {
    console_.linkState.SetCounterChannels(channels);
}

} // namespace gw
