#include "profile/PackedDate.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

struct PackCase {
    int year, month, day;
    std::uint16_t packed;
};

TEST(PackedDate, PacksAndUnpacksEachPartInItsBits) {
    const PackCase cases[] = {
        {2005, 4, 28, 0xD3C4}, // year 105, day 28, month 4
        {1900, 1, 1, 0x0011},
        {2027, 12, 31, 0xFFFC},
        {1999, 12, 31, static_cast<std::uint16_t>((99 << 9) | (31 << 4) | 12)},
    };
    for (const PackCase& c : cases) {
        SCOPED_TRACE(c.year);
        const PackedDate date = PackedDate::Pack(c.year, c.month, c.day);
        EXPECT_EQ(date.Value, c.packed);
        EXPECT_EQ(date.Unpack({2020, 1, 1}), (CivilDate{c.year, c.month, c.day}));
    }
}

TEST(PackedDate, MasksPartsThatDoNotFit) {
    // 2028 is year 128, which wraps to 0; day 33 keeps its low five bits; month 17 its low four.
    EXPECT_EQ(PackedDate::Pack(2028, 4, 28).Value, 0x01C4);
    EXPECT_EQ(PackedDate::Pack(2005, 4, 33).Value, (105 << 9) | (1 << 4) | 4);
    EXPECT_EQ(PackedDate::Pack(2005, 17, 28).Value, (105 << 9) | (28 << 4) | 1);
}

TEST(PackedDate, EmptyDateIsToday) {
    const CivilDate today{2026, 12, 9};
    EXPECT_TRUE(PackedDate{}.IsEmpty());
    EXPECT_EQ(PackedDate{}.Unpack(today), today);
}

} // namespace
} // namespace gw
