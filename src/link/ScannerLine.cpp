#include "link/ScannerLine.h"

#include <string>

namespace gw {

namespace {

constexpr std::string_view DoneMark = "!0";

} // namespace

ScannerLineOutcome InterpretScannerLine(std::string_view line, bool stepWaiting) {
    ScannerLineOutcome outcome;
    if (!stepWaiting) {
        outcome.logLine = PlainLine("output from scanner: " + std::string(line));
    } else if (line.starts_with(DoneMark)) {
        outcome.commandDone = true;
    } else {
        outcome.logLine = PlainLine("output from Scanner: " + std::string(line));
    }
    return outcome;
}

} // namespace gw
