#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace gw::tool {

// gwtool profile: shows, lists, creates, edits, selects and converts profile files.
int runProfileCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace gw::tool
