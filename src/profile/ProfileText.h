#pragma once

#include <optional>
#include <string>

namespace gw {

// Profile texts are Windows-1252 bytes; the command line and JSON speak UTF-8. Bytes that
// Windows-1252 leaves undefined pass through as the same code points.
std::string ProfileTextToUtf8(const std::string& text);

// Empty when the text is not valid UTF-8 or holds a character Windows-1252 cannot store.
std::optional<std::string> Utf8ToProfileText(const std::string& text);

} // namespace gw
