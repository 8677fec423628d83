#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace gw::tool {

// gwtool script check FILE [--profile TLInfo.dta] [--set NAME=VALUE]...
// gwtool script list FILE --disks|--variables|--sequences|--lists [--profile ...] [--set ...]
// Compiles a script as the editor does and reports its first error as FILE:LINE: error: MESSAGE
// (exit 1), or a summary line or the chosen listing (exit 0).
int runScriptCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace gw::tool
