#pragma once

#include <string>
#include <string_view>

namespace gw {

inline constexpr char STX = '\x02';
inline constexpr char ETX = '\x03';

enum class HexBytesMode {
    KeepFrame = 0,   // a frame keeps its STX, length byte and ETX around the hex contents
    ContentsOnly = 1 // a frame gives only the hex digits of its contents
};

// Whether the bytes are one whole frame: more than 3 bytes, STX first, ETX last and the second
// byte equal to the number of bytes.
bool IsCompleteFrame(std::string_view bytes);

// Binary bytes made readable: a frame's contents as two upper-case hex digits per byte (framed
// or bare by mode); any other bytes all as hex digits.
std::string HexBytes(std::string_view bytes, HexBytesMode mode);

// Two upper-case hex digits per byte.
std::string HexDigits(std::string_view bytes);

} // namespace gw
