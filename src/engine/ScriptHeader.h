#pragma once

#include <string>
#include <vector>

namespace gw {

struct sc_Script;

// The block a script run writes before the first record of every platter: the script's file and
// names, the binary data files (compatibility switch on), the sample, the info lines, the reader's
// identity from the script's profile, and "SingleAliquot=true" for a single-aliquot script.
// Lines carry no line break.
std::vector<std::string> ScriptHeaderLines(const sc_Script& script,
                                           const std::vector<std::string>& binaryFiles);

} // namespace gw
