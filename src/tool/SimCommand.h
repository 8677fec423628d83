#pragma once

#include "sim/SimOptions.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace gw::tool {

// gwtool sim [--system 3400|3500|3550|6600] [--eight-bit] [--channels N] [--scanner]
//            [--time-scale F] [--seed N] [--lost-points SHARE] [--garbled SHARE]
//            [--line-errors SHARE] [--error-bits HEX] [--silent-scanner] [--duration S]
// Serves the simulated reader (and the laser scanner) on pseudo-terminals, prints their device
// paths ("reader PATH", "scanner PATH") and runs until stopped, or for S seconds. Exit status 1
// when no pseudo-terminal can be had, 2 for malformed arguments.
int runSimCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The simulated reader's options from the command's arguments; nothing (with the reason in
// `error`) when they are malformed. `durationS` receives --duration (negative: no limit).
std::optional<SimOptions> parseSimArguments(const std::vector<std::string>& args, double& durationS,
                                            std::string& error);

} // namespace gw::tool
