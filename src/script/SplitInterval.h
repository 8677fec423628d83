#pragma once

namespace gw {

// A channel width of X * Y ms, as the reader's time base takes it (X and Y 1..255).
struct IntervalSplit {
    int X = 0;
    int Y = 0;
};

// Splits a channel width in ms into X * Y: exactly when some X allows, else with the smallest
// error (the first X of equal errors). Widths below 256 ms are 1 * t; widths above 65025 ms
// cannot be split and give 0 * 0. The multiplier never exceeds 255, so 65025 ms is 255 * 255.
IntervalSplit SplitInterval(long long milliseconds);

} // namespace gw
