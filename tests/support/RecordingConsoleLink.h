#pragma once

#include "console/CommandConsoleLink.h"

#include <optional>
#include <string>
#include <vector>

namespace gw {

// A console link that records what the views send, log and switch.
class RecordingConsoleLink : public CommandConsoleLink {
public:
    bool reader = true;
    std::vector<std::string> sent, log;
    std::optional<bool> purge;

    bool readerPortOpen() const override { return reader; }
    bool scannerPortOpen() const override { return false; }
    std::string applyShortReplyRule(const std::string& text) override { return text; }
    void sendToReader(const std::string& text) override { sent.push_back(text); }
    void sendToScanner(const std::string&) override {}
    void appendLog(const std::string& text) override { log.push_back(text); }
    void setPurgeSwitch(bool on) override { purge = on; }
    void setCounterChannels(int) override {}
};

} // namespace gw
