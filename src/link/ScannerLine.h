#pragma once

#include "link/LogLine.h"

#include <optional>
#include <string_view>

namespace gw {

// What the console does with one line from the laser scanner.
struct ScannerLineOutcome {
    bool commandDone = false;       // set ScannerDoneEvent: the waiting step may go on
    std::optional<LogLine> logLine; // no time stamp
};

// A line arriving while no step waits for the scanner is only logged ("output from scanner: ");
// while one waits, "!0" ends the wait and anything else is logged as "output from Scanner: ".
// The line keeps its CR LF in the log.
ScannerLineOutcome InterpretScannerLine(std::string_view line, bool stepWaiting);

} // namespace gw
