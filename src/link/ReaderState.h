#pragma once

#include <array>
#include <cstdint>

namespace gw {

// The reader's latest status reply. The field order is fixed: seventeen signed 32-bit integers
// followed by 32 one-byte flags (the engine's watch records copy this layout).
struct ReaderState {
    std::int32_t Position = 0;     // sample position on the platter
    std::int32_t PointCounter = 0; // data point counter of the running measurement
    std::int32_t StateCode = 0;    // 0 idle ... 10 taking OSL
    std::int32_t ErrorBits = 0;    // see ReaderErrorBits.h
    std::int32_t Timer = 0;        // reader timer, seconds
    std::array<std::int32_t, 4> Counts{};
    std::array<std::int32_t, 8> Data{}; // raw one-byte readings, 0 ... 255
    std::array<std::uint8_t, 32> Flags{};

    bool operator==(const ReaderState&) const = default;
};

static_assert(sizeof(ReaderState) == 17 * 4 + 32, "ReaderState must keep its packed layout");

// Status flags that the console itself looks at.
inline constexpr int CalibrationFlag = 9; // the only flag that is 1 when its bit is 1
inline constexpr int PurgeFlag = 13;
inline constexpr int BusyFlag = 21;

inline constexpr int HighestStateCode = 10;

} // namespace gw
