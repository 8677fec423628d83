#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace gw::tool {

// gwtool run FILE [--profile P] [--port sim|DEVICE] [--channels N] [--time-scale F] [--veltrax]
//                 [--set NAME=VALUE]... [--answer abort|ignore|ignore-all] [--today YYYY-MM-DD]
//                 [--existing append|overwrite|abort] [--platter-change ok|cancel] [--seed N]
//                 [--events FILE|-]
// Runs the script to its end as "Take script" and Go would, writing the data file. Progress on
// the error stream, one line per step; --events writes JSON lines. Exit 0 when the run finished,
// 1 on an error, 2 when a warning was answered abort, 3 when aborted (SIGINT, SIGTERM).
int runRunCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace gw::tool
