#pragma once

#include <string>

namespace gw {

// Bytes the simulated reader or scanner puts on its line, with the console time (ms) at which
// they arrive. A line error marks bytes that came with a parity or framing fault.
struct SimOutput {
    double dueMs = 0.0;
    std::string bytes;
    bool lineError = false;
};

// What the fault injection has done so far, for checks and for the log of `gwtool sim`.
struct SimFaultCounts {
    int statusReplies = 0;
    int dataPoints = 0;
    int lostPoints = 0;
    int garbled = 0;
    int lineErrors = 0;
    int shortReplies = 0;
};

} // namespace gw
