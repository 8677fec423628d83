#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace gw::tool {

// gwtool timebase osl LUM BLEACH BGD [--veltrax] [--system 0|1]
// gwtool timebase lm|vm MAXPOWER TIME
// Runs the time-base calculator from its start-up state and prints the results as one JSON
// object. Exit status 1 when the input cannot be planned, 2 for malformed arguments.
int runTimebaseCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace gw::tool
