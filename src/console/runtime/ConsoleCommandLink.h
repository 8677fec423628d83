#pragma once

#include "console/CommandConsoleLink.h"

namespace gw {

class Console;

// The command field's way into the console: its two ports, the short-reply rule of the profile,
// the log and the reply parser's switches.
class ConsoleCommandLink : public CommandConsoleLink {
public:
    explicit ConsoleCommandLink(Console& console) : console_(console) {}

    bool readerPortOpen() const override;
    bool scannerPortOpen() const override;
    std::string applyShortReplyRule(const std::string& text) override;
    void sendToReader(const std::string& text) override;
    void sendToScanner(const std::string& text) override;
    void appendLog(const std::string& text) override;
    void setPurgeSwitch(bool on) override;
    void setCounterChannels(int channels) override;

private:
    Console& console_;
};

} // namespace gw
