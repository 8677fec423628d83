#pragma once

// The console's side of the link for tests of the simulated reader: the console's own packet
// splitter, packet interpreter and reader state, fed with what the simulated reader sends.

#include "link/LinkSetup.h"
#include "link/PacketSplitter.h"
#include "link/ReaderLinkState.h"
#include "link/ReaderPacket.h"
#include "link/ReaderState.h"
#include "sim/SimReader.h"

#include <string>
#include <vector>

namespace gw::test {

struct ReceivedReply {
    double atMs = 0.0;
    PacketKind kind = PacketKind::Empty;
    std::string text;
    ReaderState state; // after the reply
    bool lineError = false;
};

class ConsoleSideHarness {
public:
    explicit ConsoleSideHarness(const SimOptions& options, int consoleSystemType = 4)
        : reader(options), eightBit_(options.eightBit),
          splitter(link_setup::readerSplitter(options.eightBit)) {
        link.setSystemType(consoleSystemType);
        link.SetCounterChannels(options.counterChannels);
        splitter.setPacketHandler([this](const std::string& packet) { onPacket(packet); });
        reader.powerOn();
    }

    // Sends a command text the way the console does: "T21" and "T23" also change its own link.
    void send(const std::string& text) {
        if (const auto channels = CounterChannelsRequest(text)) {
            link.SetCounterChannels(*channels);
        }
        reader.receive(ApplyT23Rule(text, true, link));
    }

    // Runs the simulated reader for a while, delivering its bytes as they come due.
    void run(double consoleMs, double stepMs = 5.0) {
        for (double done = 0.0; done < consoleMs; done += stepMs) {
            reader.advance(std::min(stepMs, consoleMs - done));
            for (const SimOutput& output : reader.takeOutput()) {
                nowMs_ = output.dueMs;
                lineErrorPending_ = output.lineError;
                if (output.lineError) {
                    // A line error on the reader port marks the next status reply as suspect.
                    link.ReaderErrorPending = true;
                }
                splitter.feed(output.bytes);
            }
        }
    }

    // Runs until a status reply satisfies the test, at most maxMs; true when one did.
    template <typename Test> bool runUntil(Test test, double maxMs, double stepMs = 5.0) {
        for (double done = 0.0; done < maxMs; done += stepMs) {
            const std::size_t before = replies.size();
            run(stepMs, stepMs);
            for (std::size_t i = before; i < replies.size(); ++i) {
                if (replies[i].kind == PacketKind::StatusReply && test(replies[i].state)) {
                    return true;
                }
            }
        }
        return false;
    }

    std::vector<ReceivedReply> statusReplies() const {
        std::vector<ReceivedReply> found;
        for (const ReceivedReply& reply : replies) {
            if (reply.kind == PacketKind::StatusReply) {
                found.push_back(reply);
            }
        }
        return found;
    }

    SimReader reader;
    bool eightBit_;
    PacketSplitter splitter;
    ReaderLinkState link;
    ReaderState state;
    std::vector<ReceivedReply> replies;
    std::vector<int> identifiedTypes;

private:
    void onPacket(const std::string& packet) {
        PacketOutcome outcome = InterpretReaderPacket(packet, eightBit_, link, state);
        if (outcome.identifiedSystemType) {
            identifiedTypes.push_back(*outcome.identifiedSystemType);
        }
        replies.push_back({nowMs_, outcome.kind, outcome.workingText, state, lineErrorPending_});
        lineErrorPending_ = false;
    }

    double nowMs_ = 0.0;
    bool lineErrorPending_ = false;
};

} // namespace gw::test
