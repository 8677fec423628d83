#include "core/Windows1252Text.h"

#include <array>
#include <cstdint>

namespace gw {

namespace {

// Code points of the bytes 0x80..0x9F; the other bytes are their own code points.
constexpr std::array<char32_t, 32> HighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

char32_t Windows1252CodePoint(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? HighControlRange[byte - 0x80] : byte;
}

std::optional<char> Windows1252Byte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        return static_cast<char>(cp);
    }
    for (std::size_t i = 0; i < HighControlRange.size(); ++i) {
        if (HighControlRange[i] == cp) {
            return static_cast<char>(0x80 + i);
        }
    }
    return std::nullopt;
}

std::string ProfileTextToUtf8(const std::string& text) {
    std::string out;
    for (char c : text) {
        appendUtf8(out, Windows1252CodePoint(static_cast<unsigned char>(c)));
    }
    return out;
}

std::optional<std::string> Utf8ToProfileText(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<std::uint8_t>(text[i]);
        const int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : 0;
        if (length == 0 || i + length > text.size()) {
            return std::nullopt;
        }
        char32_t cp = length == 1 ? lead : length == 2 ? (lead & 0x1F) : (lead & 0x0F);
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<std::uint8_t>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return std::nullopt;
            }
            cp = (cp << 6) | (next & 0x3F);
        }
        const bool overlong = (length == 2 && cp < 0x80) || (length == 3 && cp < 0x800);
        const std::optional<char> byte = overlong ? std::nullopt : Windows1252Byte(cp);
        if (!byte) {
            return std::nullopt;
        }
        out += *byte;
        i += static_cast<std::size_t>(length);
    }
    return out;
}

} // namespace gw
