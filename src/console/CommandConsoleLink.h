#pragma once

#include <string>

namespace gw {

// What the command field needs of the console: the two ports, the short-reply rule, the log and
// the reply layout. The console implements it; tests record the calls.
class CommandConsoleLink {
public:
    virtual ~CommandConsoleLink() = default;

    virtual bool readerPortOpen() const = 0;
    virtual bool scannerPortOpen() const = 0;
    // The short-reply rule for "T23 1 " and "T23 0 "; returns the text to send.
    virtual std::string applyShortReplyRule(const std::string& text) = 0;
    // Writes the text unchanged (nothing is added).
    virtual void sendToReader(const std::string& text) = 0;
    virtual void sendToScanner(const std::string& text) = 0;
    // Appends a log line; the console puts the time of day in front.
    virtual void appendLog(const std::string& text) = 0;
    virtual void setPurgeSwitch(bool on) = 0;
    // The number asked for by "T21 "; the layout keeps it within 1 ... 4.
    virtual void setCounterChannels(int channels) = 0;
};

} // namespace gw
