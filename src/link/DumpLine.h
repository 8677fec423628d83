#pragma once

#include "link/ReaderLinkState.h"
#include "link/ReaderState.h"

#include <string>
#include <string_view>

namespace gw {

// The logged text of a dump line: what follows its first ": " (the whole line when there is none).
std::string_view DumpLineText(std::string_view line);

// Decodes a recorded dump line as a status reply into the given state, through the reply layout
// and flags of the given link state. Nothing is sent or logged.
bool DecodeDumpLine(std::string_view line, ReaderLinkState& link, ReaderState& state);

} // namespace gw
