#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace gw::tool {

// gwtool data show FILE [--json] [--record N]
// gwtool data export FILE --csv [--record N]...
// Reads a data file of the console: the records as a table or JSON, or the points of chosen
// records as CSV. Exit status 1 when the file cannot be read as a data file or has no record N,
// 2 for malformed arguments. Problems of single records are warnings on the error stream.
int runDataCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace gw::tool
