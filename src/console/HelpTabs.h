#pragma once

#include <string>
#include <vector>

namespace gw {

// Replaces every TAB of a help page so that the text after it starts at the next tab stop (stops
// are 1-based columns). A TAB with no stop at or after its column becomes one blank. Lines are
// separated by CR LF or LF; the result separates them by LF.
std::string ExpandHelpTabs(const std::string& text, const std::vector<int>& tabStops);

} // namespace gw
