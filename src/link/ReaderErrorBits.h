#pragma once

#include "link/LogLine.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace gw {

// The twelve error bits of ErrorBits (bit 0 least significant).
enum class ReaderError : int {
    Thermocouple = 0,
    HighVoltage = 1,
    Ramp = 2,
    Irradiator = 3,
    Elevator = 4,
    Position = 5,
    Stuck = 6,
    PositionSync = 7,
    Change = 8,
    SerialError = 9,
    BufferOverflow = 10,
    DeckError = 11,
};

inline constexpr int ReaderErrorCount = 12;
inline constexpr std::int32_t HighestErrorBits = 0xFFF;
// Every error but ramp, serial error and buffer overflow stops the measurement.
inline constexpr std::int32_t SeriousErrorMask = 0x9FB;
// Any error but a ramp error alone is worth a log line.
inline constexpr std::int32_t LoggedErrorMask = 0xFFB;

// The error's word as it appears in the log (" thermocouple", " high voltage" ...).
std::string_view ReaderErrorWord(ReaderError error);

bool HasSeriousError(std::int32_t errorBits);

// The "  reader error -" lines (no time stamp) for a decoded reply: none when only the ramp bit
// (or nothing) is set, else one per set bit in ascending order.
std::vector<LogLine> ReaderErrorLines(std::int32_t errorBits);

} // namespace gw
