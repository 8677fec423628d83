#pragma once

#include <string>

namespace gw {

struct sc_Script;

// Plain-text views of a compiled script's tables, lines ended by CR LF. They change nothing.
std::string ListDisks(const sc_Script& script);
std::string ListVariables(const sc_Script& script);
std::string ListSequences(const sc_Script& script);
std::string ListLists(const sc_Script& script);

} // namespace gw
