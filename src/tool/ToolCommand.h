#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace gw::tool {

// One gwtool subcommand: its name, a one-line usage, and the function that runs it with the
// arguments after the name. The function returns the process exit code.
struct ToolCommand {
    const char* name;
    const char* usage;
    int (*run)(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
    // The subcommand answers --help itself with more than its usage line.
    bool ownsHelp = false;
};

// Every subcommand, in the order the usage text lists them.
const std::vector<ToolCommand>& toolCommands();

// Runs the subcommand named by args[0]; prints the usage and returns 2 when there is none.
int runTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace gw::tool
