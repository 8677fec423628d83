#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace gw::tool {

// gwtool script steps FILE [--profile P] [--set NAME=VALUE]... [--today YYYY-MM-DD] --json
// Compiles the script, places its disks and runs through every disk's commands as a run with the
// compatibility switch does: each command is prepared, and after each measurement (a TL or an
// OSL-kind step that is no treatment) the disk's step record is built. Prints
// {"disks": [{"number": N, "steps": [{...}, ...]}, ...]}. Warnings of the profile checks are
// ignored as the run ignores them; a step that cannot be prepared or recorded stops with exit
// status 1, bad usage with 2.
int runScriptSteps(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace gw::tool
