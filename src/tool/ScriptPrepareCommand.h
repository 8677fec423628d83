#pragma once

#include "core/Prompter.h"
#include "profile/PackedDate.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace gw::tool {

// gwtool script prepare FILE [--profile P] [--veltrax] [--today YYYY-MM-DD] [--set NAME=VALUE]...
//                            [--answer abort|ignore|ignore-all] [--trace FILE]
// Compiles the script, places its disks and prepares every command of every disk in DISKS order,
// as a run would, and prints {"disks": [...], "commandFlags": n} as JSON. Warnings go to the
// error stream as "warning: MESSAGE" and are answered as --answer says; Abort (the default) stops
// with exit status 2, a step that cannot be prepared with exit status 1.
int runScriptPrepare(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace gw::tool
