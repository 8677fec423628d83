#pragma once

#include "link/Command.h"

#include <array>
#include <cstdint>
#include <optional>

namespace gw {

// The live graph's five buttons that switch a reader function.
enum class ReaderFunction { Purge, Cool, HV, LightCalibration, Vacuum };

inline constexpr std::array<ReaderFunction, 5> AllReaderFunctions{
    ReaderFunction::Purge, ReaderFunction::Cool, ReaderFunction::HV,
    ReaderFunction::LightCalibration, ReaderFunction::Vacuum};

// What pressing a reader-function button does.
struct ReaderFunctionPress {
    Command command;                 // the switch the other way than the flags show
    std::optional<bool> purgeSwitch; // the operator's purge switch afterwards (Purge only)
};

class ReaderFunctions {
public:
    // Whether the status flags show the function on: purge flag 13, cool 14, HV 18 and 19 both,
    // light calibration 9, vacuum 11 or 12.
    static bool shownOn(ReaderFunction function, const std::array<std::uint8_t, 32>& flags);
    static ReaderFunctionPress press(ReaderFunction function,
                                     const std::array<std::uint8_t, 32>& flags);
    // The vacuum button exists on the 3400, 3500 and 3550 only.
    static bool available(ReaderFunction function, int systemType);
    // "HV" is off while either of its two flags is 0 (the high-voltage question asks then).
    static bool highVoltageOff(const std::array<std::uint8_t, 32>& flags) {
        return !shownOn(ReaderFunction::HV, flags);
    }
};

} // namespace gw
