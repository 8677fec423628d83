#pragma once

#include "ConsoleSideHarness.h"

#include <map>
#include <vector>

namespace gw::test {

// A fast reader for tests: one reader second passes in 10 console milliseconds.
inline SimOptions fastOptions(int systemType = 4, bool eightBit = false, int channels = 1) {
    SimOptions options;
    options.systemType = systemType;
    options.eightBit = eightBit;
    options.counterChannels = channels;
    options.timeScale = 0.01;
    options.seed = 7;
    return options;
}

// The state codes of the status replies, each run of equal codes taken once.
inline std::vector<int> stateSequence(const std::vector<ReceivedReply>& replies) {
    std::vector<int> codes;
    for (const ReceivedReply& reply : replies) {
        if (codes.empty() || codes.back() != reply.state.StateCode) {
            codes.push_back(reply.state.StateCode);
        }
    }
    return codes;
}

// Waits until the reader is still and at the position.
inline bool waitForPosition(ConsoleSideHarness& console, int position) {
    return console.runUntil(
        [position](const ReaderState& state) {
            return state.Position == position && state.Flags[BusyFlag] == 0;
        },
        2000.0);
}

// Runs a measurement already started until the reader is back at state 0 after data; returns
// the first counter of every data point by its point counter.
inline std::map<int, int> collectUntilIdle(ConsoleSideHarness& console, double maxMs = 10000.0) {
    const std::size_t first = console.replies.size();
    bool sawData = false;
    console.runUntil(
        [&sawData](const ReaderState& state) {
            sawData = sawData || state.StateCode != 0;
            return sawData && state.StateCode == 0;
        },
        maxMs);
    std::map<int, int> points;
    for (std::size_t i = first; i < console.replies.size(); ++i) {
        const ReceivedReply& reply = console.replies[i];
        const int code = reply.state.StateCode;
        if (reply.kind == PacketKind::StatusReply && (code == 4 || code == 6 || code == 10)) {
            points[reply.state.PointCounter] = reply.state.Counts[0];
        }
    }
    return points;
}

inline long long sum(const std::map<int, int>& points) {
    long long total = 0;
    for (const auto& [point, counts] : points) {
        total += counts;
    }
    return total;
}

} // namespace gw::test
