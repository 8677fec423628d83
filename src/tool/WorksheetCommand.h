#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace gw::tool {

// gwtool worksheet FILE [--template INI] [--profile P] [--set NAME=VALUE]...
//                       [--answer abort|ignore|ignore-all] [--today YYYY-MM-DD] -o OUT.rtf
// Compiles a template script and writes its worksheet as the script editor's Worksheets action
// does, from the given template or the one shipped beside the program (or in the working
// directory). The sample name is the script's SAMPLE text. Exit 1 with "error: MESSAGE" when the
// script does not compile, declares no TEMPLATE or gives no worksheet; 2 for bad usage.
int runWorksheetCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace gw::tool
