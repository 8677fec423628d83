#pragma once

#include <string_view>

namespace gw {

// The text without the blanks and tabs at either end.
std::string_view TrimBlanks(std::string_view text);

} // namespace gw
