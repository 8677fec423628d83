#include "script/RtfText.h"

namespace gw {

std::string RtfText(std::string_view text) {
    constexpr const char* Hex = "0123456789abcdef";
    std::string rtf;
    rtf.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\\' || byte == '{' || byte == '}') {
            rtf += '\\';
            rtf += char(byte);
        } else if (byte > 127 || byte == '<') {
            rtf += "\\'";
            rtf += Hex[byte >> 4];
            rtf += Hex[byte & 0x0F];
        } else if (byte == '\t') {
            rtf += "\\tab ";
        } else if (byte == '\r' || byte == '\n') {
            // CR LF is one line end.
            if (byte == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            rtf += "\\par ";
        } else if (byte >= 32 && byte != 127) {
            rtf += char(byte);
        }
    }
    return rtf;
}

} // namespace gw
