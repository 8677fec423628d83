#pragma once

#include "engine/TDataType.h"

#include <string>

namespace gw {

// What the live graph shows for an operation that has just started measuring.
struct GraphSetup {
    int disk = 0;
    bool showHole = false; // the hole label and number
    int hole = 0;
    bool showChart = false; // kinds 1 to 4: the chart is shown and cleared
    bool showsTL = false;
    std::string title;      // "TL glow curve", "OSL curve", "M-OSL curve"
    std::string xAxisTitle; // Windows-1252
    double xMaximum = 0.0;
    int xDecimals = 0;

    bool operator==(const GraphSetup&) const = default;
};

// The live graph's set-up for the operation. An OSL axis gets
// max(1 - round(int(log10(x maximum))), 0) decimals; an empty time base gives one.
GraphSetup GraphSetupFor(const TDataType& operation);

} // namespace gw
