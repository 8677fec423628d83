#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace gw::tool {

// gwtool decode [--system 0..4] [--channels 1..4] [--correct] [--short] [--json] LINE...
// gwtool decode --log FILE [--csv] [--system 0..4] [--channels 1..4] [--correct] [--short]
// Decodes status reply lines, each from a fresh reader state, and prints every field (or one JSON
// object per line); or decodes the replies of a console log into a table or CSV of readings.
// Exit status 1 when a given line does not decode or the log cannot be read, 2 for malformed
// arguments.
int runDecodeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace gw::tool
