#include "windows/views/AnsiText.h"

#include <array>

namespace gw {

namespace {

// Windows-1252 bytes 80h ... 9Fh; 0 where the code page leaves a byte undefined (kept as is).
constexpr std::array<char16_t, 32> HighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char16_t toUnicode(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F && HighControls[byte - 0x80] != 0) {
        return HighControls[byte - 0x80];
    }
    return byte;
}

char fromUnicode(char16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
        return static_cast<char>(unit);
    }
    for (std::size_t i = 0; i < HighControls.size(); ++i) {
        if (HighControls[i] == unit) {
            return static_cast<char>(0x80 + i);
        }
    }
    if (unit <= 0x9F) {
        return static_cast<char>(unit); // an undefined byte read back unchanged
    }
    return '?';
}

} // namespace

QString FromAnsi(const std::string& bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (char byte : bytes) {
        text.append(QChar(toUnicode(static_cast<unsigned char>(byte))));
    }
    return text;
}

std::string ToAnsi(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (QChar c : text) {
        bytes += fromUnicode(c.unicode());
    }
    return bytes;
}

} // namespace gw
