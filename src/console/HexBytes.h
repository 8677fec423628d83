#pragma once

#include <string>
#include <string_view>

namespace gw {

// How HexBytes shows an 8-bit frame. Other byte sequences always become plain hexadecimal.
enum class HexMode {
    KeepFrame = 0,    // STX and the length byte, the contents in hexadecimal, then ETX
    ContentsOnly = 1, // the contents in hexadecimal alone
};

// Renders bytes for the log. A frame is more than three bytes beginning with STX, ending with ETX,
// whose second byte is its own length.
std::string HexBytes(std::string_view bytes, HexMode mode);

// The same with the mode as its number: 0 keeps the frame, 1 gives the contents only.
inline std::string HexBytes(std::string_view bytes, int mode) {
    return HexBytes(bytes, mode == 1 ? HexMode::ContentsOnly : HexMode::KeepFrame);
}

} // namespace gw
