#include "link/HexBytes.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

using namespace std::string_literals;

TEST(HexBytes, RendersFramesAndOtherBytes) {
    struct Case {
        std::string bytes;
        HexBytesMode mode;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"\x02\x05\x1a\xff\x03"s, HexBytesMode::KeepFrame,
         "\x02\x05"
         "1AFF\x03"s},
        {"\x02\x05\x1a\xff\x03"s, HexBytesMode::ContentsOnly, "1AFF"},
        {"\x02\x04\x00\x03"s, HexBytesMode::ContentsOnly, "00"},
        // not frames: wrong length byte, too short, no ETX, no STX
        {"\x02\x06\x1a\xff\x03"s, HexBytesMode::KeepFrame, "02061AFF03"},
        {"\x02\x03\x03"s, HexBytesMode::KeepFrame, "020303"},
        {"\x02\x05\x1a\xff\x04"s, HexBytesMode::ContentsOnly, "02051AFF04"},
        {"\x01\x05\x1a\xff\x03"s, HexBytesMode::ContentsOnly, "01051AFF03"},
        {"AB\r"s, HexBytesMode::KeepFrame, "41420D"},
        {""s, HexBytesMode::KeepFrame, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HexBytes(c.bytes, c.mode), c.text) << ::testing::PrintToString(c.bytes);
    }
}

} // namespace
} // namespace gw
