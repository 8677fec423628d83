#pragma once

#include <string>

namespace gw {

// A directory text as the profile and the settings keep it: ending in its separator. A text
// that already ends in "\" or "/" is kept; otherwise the separator the text itself uses is added
// ("/" for a text with forward slashes only, else "\"). An empty text stays empty.
std::string WithTrailingSeparator(const std::string& directory);

} // namespace gw
