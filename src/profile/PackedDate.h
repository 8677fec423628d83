#pragma once

#include <cstdint>

namespace gw {

// A calendar date as year, month (1..12) and day of the month (1..31).
struct CivilDate {
    int year = 0;
    int month = 0;
    int day = 0;

    bool operator==(const CivilDate&) const = default;
};

// The local date of today, for the dates that show as "today" when none is stored.
CivilDate TodayLocal();

// The profile's 16-bit date: bits 15..9 year - 1900, bits 8..4 day, bits 3..0 month. Zero means
// no date, shown and used as today's date. Stored in the file as an int16.
struct PackedDate {
    // The seven year bits reach from 1900 to 2027; later years would wrap to 1900 and after.
    static constexpr int FirstYear = 1900;
    static constexpr int LastYear = 2027;

    std::uint16_t Value = 0;

    // Whether the date is a real calendar date within the years the value can hold.
    static bool CanHold(const CivilDate& date);

    // Each part is masked to its bits, as the reader's own tools pack dates.
    static PackedDate Pack(int year, int month, int day);
    static PackedDate Pack(const CivilDate& date) { return Pack(date.year, date.month, date.day); }

    bool IsEmpty() const { return Value == 0; }
    int Year() const { return 1900 + (Value >> 9); }
    int Day() const { return (Value >> 4) & 0x1F; }
    int Month() const { return Value & 0x0F; }

    // The date this value stands for; an empty date is today.
    CivilDate Unpack(const CivilDate& today) const;

    bool operator==(const PackedDate&) const = default;
};

} // namespace gw
