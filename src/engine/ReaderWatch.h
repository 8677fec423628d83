#pragma once

#include "link/ReaderState.h"

namespace gw {

// Comparison modes of the integer fields of WatchModes; any other value ignores the field.
namespace WatchMode {
inline constexpr int Equal = 0;   // every field
inline constexpr int AtLeast = 1; // every field but the position and the state code
inline constexpr int Above = 2;   // the counter and data values only
inline constexpr int Ignore = 3;
} // namespace WatchMode

// The reader condition the data-take thread waits for: expected values (`WatchPattern`) and, in
// the same layout, how each field is compared (`WatchModes`). A non-zero flag mode requires the
// reader's flag to equal the pattern's. Of the four counter values only the first is compared.
class ReaderWatch {
public:
    ReaderWatch() { Reset(); }

    // Pattern all zero, every integer field ignored, every flag ignored.
    void Reset();
    // "until busy" / "until not busy": the busy flag compared, the position ignored.
    void WatchBusy(bool busy);
    // The final positioning: not busy, and the position equal to the pattern's.
    void WatchFinalPosition();
    void SetTargetPosition(int position) { WatchPattern.Position = position; }

    bool Matches(const ReaderState& state) const;

    ReaderState WatchPattern;
    ReaderState WatchModes;
};

} // namespace gw
