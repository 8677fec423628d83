#include "profile/PackedDate.h"

#include <ctime>

namespace gw {

CivilDate TodayLocal() {
    const std::time_t now = std::time(nullptr);
    // Only the user-interface thread asks for today's date, so the shared buffer is safe here.
    const std::tm* local = std::localtime(&now);
    if (local == nullptr) {
        return {1900, 1, 1};
    }
    return {local->tm_year + 1900, local->tm_mon + 1, local->tm_mday};
}

bool PackedDate::CanHold(const CivilDate& date) {
    static constexpr int DaysInMonth[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (date.year < FirstYear || date.year > LastYear || date.month < 1 || date.month > 12) {
        return false;
    }
    const bool leap = date.year % 4 == 0 && (date.year % 100 != 0 || date.year % 400 == 0);
    const int days = date.month == 2 && !leap ? 28 : DaysInMonth[date.month - 1];
    return date.day >= 1 && date.day <= days;
}

PackedDate PackedDate::Pack(int year, int month, int day) {
    const unsigned yearBits = static_cast<unsigned>(year - 1900) & 0x7Fu;
    const unsigned dayBits = static_cast<unsigned>(day) & 0x1Fu;
    const unsigned monthBits = static_cast<unsigned>(month) & 0x0Fu;
    return PackedDate{static_cast<std::uint16_t>((yearBits << 9) | (dayBits << 4) | monthBits)};
}

CivilDate PackedDate::Unpack(const CivilDate& today) const {
    if (IsEmpty()) {
        return today;
    }
    return {Year(), Month(), Day()};
}

} // namespace gw
