#include "sim/SimScanner.h"

#include "link/LinkSetup.h"
#include "link/PacketSplitter.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

struct Line {
    double atMs;
    std::string text;
};

std::vector<Line> exchange(SimScanner& scanner, const std::string& command, double forMs) {
    std::vector<Line> lines;
    double now = scanner.nowMs();
    PacketSplitter splitter(link_setup::scannerSplitter());
    splitter.setPacketHandler([&](const std::string& packet) { lines.push_back({now, packet}); });
    scanner.receive(command);
    for (double done = 0; done < forMs; done += 1.0) {
        scanner.advance(1.0);
        for (const SimOutput& output : scanner.takeOutput()) {
            now = output.dueMs;
            splitter.feed(output.bytes);
        }
    }
    return lines;
}

TEST(SimScanner, AnswersItsCommandsWithDoneAndEchoesTheRest) {
    const struct {
        const char* command;
        const char* reply;
        double takesMs; // at a tenth of real time
    } cases[] = {
        {"]0 \r", "!0\r\n", 150.0}, {"]5 17 \r", "!0\r\n", 15.0},  {"]6 -1 1 \r", "!0\r\n", 8.0},
        {"]9 \r", "]9 \r\n", 2.0},  {"hello\r", "hello\r\n", 2.0},
    };
    for (const auto& c : cases) {
        SimScanner scanner(0.1, false);
        const std::vector<Line> lines = exchange(scanner, c.command, 300);
        ASSERT_EQ(lines.size(), 1u) << c.command;
        EXPECT_EQ(lines[0].text, c.reply);
        EXPECT_NEAR(lines[0].atMs, c.takesMs, 1e-6) << c.command;
    }
}

TEST(SimScanner, ASilentScannerNeverAnswers) {
    SimScanner scanner(0.1, true);
    EXPECT_TRUE(exchange(scanner, "]0 \r]5 3 \rhello\r", 5000).empty());
}

} // namespace
} // namespace gw
