#pragma once

#include "link/ReaderState.h"

#include <string>

namespace gw {

// The live graph's readouts of the reader state, as the window shows them (Windows-1252 text).
struct GraphReadouts {
    std::string point;            // PointCounter
    std::string counts;           // Counts[0]
    std::string temperature;      // "400\260C"
    std::string temperatureError; // "-5.0\260C"
    bool pressureShown = false;   // every reader but the 6600
    std::string pressure;         // "31.0", or "1.0" above 1500
    std::string pressureUnit;     // "umHg" or "atm"
    bool oslShown = false;        // the 6600 only
    std::string osl1;             // Data[4] / 2.55, one decimal
    std::string osl2;             // Data[0] / 2.55
    std::string highVoltage;      // "-1500 V"

    bool operator==(const GraphReadouts&) const = default;
};

GraphReadouts GraphReadoutsFor(const ReaderState& state, int systemType);

} // namespace gw
