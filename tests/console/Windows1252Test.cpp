#include "platform/Windows1252.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

TEST(Windows1252, BytesAndUnicodeMapBothWays) {
    const struct {
        std::string bytes;
        QString text;
    } cases[] = {
        {"TL 450\xB0"
         "C",
         QStringLiteral("TL 450\u00B0C")},
        {"\x80 \x9F", QStringLiteral("\u20AC \u0178")},
        {"\x81\x8D", QString(QChar(0x81)) + QChar(0x8D)}, // undefined bytes keep their value
        {"plain", QStringLiteral("plain")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FromWindows1252(c.bytes), c.text);
        EXPECT_EQ(ToWindows1252(c.text), c.bytes);
    }
}

TEST(Windows1252, CharactersItCannotHoldBecomeQuestionMarks) {
    EXPECT_EQ(ToWindows1252(QStringLiteral("\u03B2 dose \u2192 1")), "? dose ? 1");
}

} // namespace
} // namespace gw
