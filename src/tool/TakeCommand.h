#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace gw::tool {

// gwtool take tl|osl|mosl|irrad --data-file F [--port sim|DEVICE] [--channels N] [--profile P]
//   [--time-scale F] [--disk N] [--to-disk M] [--holes N,M,...|--all-holes] [--info TEXT]
//   [--hv yes|no|cancel] [NAME=VALUE]...
// Takes a single measurement (or a disk range, or the selected holes) as the console's take-data
// dialog does, with the same starters, finishers and records. Progress goes to standard error.
// Exit status 0 when every disk was written, 1 on an error, 2 for malformed arguments, 3 when
// aborted by SIGINT or SIGTERM (which send the reader "Z ").
int runTakeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace gw::tool
