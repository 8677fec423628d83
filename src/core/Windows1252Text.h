#pragma once

#include <optional>
#include <string>

namespace gw {

// The console's 8-bit texts are Windows-1252: the code point of one byte (bytes that
// Windows-1252 leaves undefined are their own code points), and the byte of a code point, empty
// when Windows-1252 cannot store it.
char32_t Windows1252CodePoint(unsigned char byte);
std::optional<char> Windows1252Byte(char32_t codePoint);

// Profile texts are Windows-1252 bytes; the command line and JSON speak UTF-8. Bytes that
// Windows-1252 leaves undefined pass through as the same code points.
std::string ProfileTextToUtf8(const std::string& text);

// Empty when the text is not valid UTF-8 or holds a character Windows-1252 cannot store.
std::optional<std::string> Utf8ToProfileText(const std::string& text);

} // namespace gw
