#pragma once

#include "tool/ToolCommand.h"

#include <sstream>
#include <string>
#include <vector>

namespace gw::tool {

// What a gwtool subcommand printed and returned.
struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

// Runs `gwtool COMMAND ARGS...` in process.
inline ToolRun RunToolCommand(const std::string& command, std::vector<std::string> args) {
    std::ostringstream out;
    std::ostringstream err;
    args.insert(args.begin(), command);
    const int status = runTool(args, out, err);
    return {status, out.str(), err.str()};
}

} // namespace gw::tool
