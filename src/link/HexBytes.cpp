#include "link/HexBytes.h"

namespace gw {

bool IsCompleteFrame(std::string_view bytes) {
    return bytes.size() > 3 && bytes.front() == STX && bytes.back() == ETX &&
           static_cast<unsigned char>(bytes[1]) == bytes.size();
}

std::string HexDigits(std::string_view bytes) {
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(2 * bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text += Digits[byte >> 4];
        text += Digits[byte & 0x0F];
    }
    return text;
}

std::string HexBytes(std::string_view bytes, HexBytesMode mode) {
    if (!IsCompleteFrame(bytes)) {
        return HexDigits(bytes);
    }
    const std::string contents = HexDigits(bytes.substr(2, bytes.size() - 3));
    if (mode == HexBytesMode::ContentsOnly) {
        return contents;
    }
    return std::string(bytes.substr(0, 2)) + contents + std::string(1, bytes.back());
}

} // namespace gw
