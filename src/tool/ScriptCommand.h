#pragma once

#include "profile/SystemProfile.h"

#include <iosfwd>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace gw {
class Prompter;
struct DiskPlacementTrace;
struct sc_Script;
} // namespace gw

namespace gw::tool {

// gwtool script check FILE [--profile TLInfo.dta] [--set NAME=VALUE]...
// gwtool script list FILE --disks|--variables|--sequences|--lists [--profile ...] [--set ...]
// Compiles a script as the editor does and reports its first error as FILE:LINE: error: MESSAGE
// (exit 1), or a summary line or the chosen listing (exit 0).
// gwtool script prepare: see ScriptPrepareCommand.h.
int runScriptCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Takes one "--set NAME=NUMBER" answer into answers; the problem text when it is malformed.
std::optional<std::string> addVariableAnswer(const std::string& setting,
                                             std::map<std::string, double>& answers);

// The bytes of a script file; empty when it cannot be read.
std::optional<std::string> readScriptFile(const std::string& path);

// The profile of a script: the current profile of the file at path, or a 6600's default profile
// when no path is given. Empty, with a message on err, when the file cannot be loaded.
std::optional<SystemProfile> loadScriptProfile(const std::string& path, std::ostream& err);

// Compiles a script as the editor does and places its disks. Null, with FILE:LINE: error: MESSAGE
// (or the aborted placement) on err, when that fails. A trace, when given, receives the placement
// trace file.
std::unique_ptr<sc_Script> compileScriptFile(const std::string& file, const std::string& text,
                                             const SystemProfile& profile, Prompter& prompter,
                                             std::ostream& err,
                                             DiskPlacementTrace* trace = nullptr);

} // namespace gw::tool
