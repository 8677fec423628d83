#pragma once

#include <string>
#include <string_view>

namespace gw {

// A Windows-1252 text as RTF body text, so that no text of a script or profile can break the
// document: "\", "{" and "}" escaped with a backslash; bytes above 127, and "<" so that no text
// reads as a placeholder, as \'hh; a TAB as \tab, a line end as \par; other control characters
// dropped.
std::string RtfText(std::string_view text);

} // namespace gw
