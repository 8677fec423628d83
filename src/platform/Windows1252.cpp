#include "platform/Windows1252.h"

#include "core/Windows1252Text.h"

namespace gw {

QString FromWindows1252(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char byte : bytes) {
        text.append(
            QChar(static_cast<char16_t>(Windows1252CodePoint(static_cast<unsigned char>(byte)))));
    }
    return text;
}

std::string ToWindows1252(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar unit : text) {
        bytes += Windows1252Byte(unit.unicode()).value_or('?');
    }
    return bytes;
}

} // namespace gw
