#include "console/HexBytes.h"

namespace gw {

namespace {

constexpr char stx = 0x02;
constexpr char etx = 0x03;

void appendHex(std::string& out, std::string_view bytes) {
    static constexpr char digits[] = "0123456789ABCDEF";
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        out += digits[value >> 4];
        out += digits[value & 0x0F];
    }
}

bool isFrame(std::string_view bytes) {
    return bytes.size() > 3 && bytes.front() == stx && bytes.back() == etx &&
           static_cast<unsigned char>(bytes[1]) == bytes.size();
}

} // namespace

std::string HexBytes(std::string_view bytes, HexMode mode) {
    std::string out;
    if (!isFrame(bytes)) {
        appendHex(out, bytes);
        return out;
    }
    const std::string_view contents = bytes.substr(2, bytes.size() - 3);
    if (mode == HexMode::KeepFrame) {
        out.append(bytes.substr(0, 2));
    }
    appendHex(out, contents);
    if (mode == HexMode::KeepFrame) {
        out += bytes.back();
    }
    return out;
}

} // namespace gw
