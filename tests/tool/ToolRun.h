#pragma once

#include "tool/ToolCommand.h"

#include <filesystem>
#include <fstream>
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

// A file's bytes (empty when it cannot be read).
inline std::string ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace gw::tool
