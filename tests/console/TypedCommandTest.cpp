#include "console/TypedCommand.h"

#include <gtest/gtest.h>
#include <vector>

namespace gw {
namespace {

class RecordingLink : public CommandConsoleLink {
public:
    bool reader = true;
    bool scanner = false;
    std::vector<std::string> readerTexts, scannerTexts, log;
    std::optional<bool> purge;
    std::optional<int> channels;

    bool readerPortOpen() const override { return reader; }
    bool scannerPortOpen() const override { return scanner; }
    std::string applyShortReplyRule(const std::string& text) override {
        std::string out = text;
        if (const auto at = out.find("T23 1 "); at != std::string::npos) {
            out.erase(at, 6);
        }
        return out;
    }
    void sendToReader(const std::string& text) override { readerTexts.push_back(text); }
    void sendToScanner(const std::string& text) override { scannerTexts.push_back(text); }
    void appendLog(const std::string& text) override { log.push_back(text); }
    void setPurgeSwitch(bool on) override { purge = on; }
    void setCounterChannels(int n) override { channels = n; }
};

TEST(TypedCommand, SendsToTheReaderWithTheClosingBlank) {
    RecordingLink link;
    EXPECT_EQ(SubmitTypedCommand("P1", link), TypedCommandOutcome::SentToReader);
    EXPECT_EQ(link.readerTexts, std::vector<std::string>{"P1 "});
    EXPECT_EQ(link.log, std::vector<std::string>{": \"P1 \""});
    EXPECT_EQ(link.purge, true);
    SubmitTypedCommand("M P0 ", link);
    EXPECT_EQ(link.readerTexts.back(), "M P0 ");
    EXPECT_EQ(link.purge, false);
    SubmitTypedCommand("T23 1 H1", link);
    EXPECT_EQ(link.readerTexts.back(), "H1 ");
    EXPECT_FALSE(link.channels.has_value());
}

TEST(TypedCommand, RoutesByPortAndPrefix) {
    RecordingLink link;
    link.reader = false;
    EXPECT_EQ(SubmitTypedCommand("", link), TypedCommandOutcome::Empty);
    EXPECT_EQ(SubmitTypedCommand("M", link), TypedCommandOutcome::NotSent);
    EXPECT_EQ(SubmitTypedCommand("]0", link), TypedCommandOutcome::NotSent);
    link.scanner = true;
    EXPECT_EQ(SubmitTypedCommand("]5 12", link), TypedCommandOutcome::SentToScanner);
    EXPECT_EQ(link.scannerTexts, std::vector<std::string>{"]5 12\r"});
    EXPECT_TRUE(link.log.empty());
    link.reader = true;
    link.scanner = false;
    EXPECT_EQ(SubmitTypedCommand("]0", link), TypedCommandOutcome::NotSent);
    EXPECT_TRUE(link.readerTexts.empty());
}

TEST(TypedCommand, CounterChannelsFollowT21) {
    RecordingLink link;
    SubmitTypedCommand("M T21 3", link);
    EXPECT_EQ(link.channels, 3);
    link.channels.reset();
    SubmitTypedCommand("T21 x", link);
    EXPECT_FALSE(link.channels.has_value());
}

TEST(TypedCommand, OnlyLowerCaseLettersAreRaised) {
    EXPECT_EQ(UpperCaseCommandLetter('p'), 'P');
    EXPECT_EQ(UpperCaseCommandLetter('z'), 'Z');
    EXPECT_EQ(UpperCaseCommandLetter('1'), '1');
    EXPECT_EQ(UpperCaseCommandLetter('{'), '{');
}

} // namespace
} // namespace gw
