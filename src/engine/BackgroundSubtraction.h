#pragma once

#include "engine/BinaryRecord.h"

namespace gw {

// The type of a curve code: 0 TL, 2 OSL (devices 20 to 29), 4 LM-OSL (40 to 49).
int CurveType(int curveCode);
// The device part of a curve code: records of different families never meet.
int CurveFamily(int curveCode);

// What one subtraction did.
struct SubtractionOutcome {
    bool applied = false; // false: the curve codes do not match, nothing changes
    int flag = -1;        // the measurement's self-corrected flag: 0, 1, or -1 for unchanged
    int filter = 0;       // the filter a TL subtraction smoothed with
};

// Corrects a measurement's curve by a reference record into the subtraction curve: a TL by the
// point-wise difference to a TL background, smoothed with the filter (FilterNum) and scaled; an
// OSL by a count rate, the profile's background rate when the reference is the measurement
// itself (self), else the mean rate of the background OSL. Records whose curve codes differ in
// their hundreds are never subtracted from each other.
SubtractionOutcome SubtractBackground(const BinaryRecord& measurement,
                                      const BinaryRecord& reference, bool self,
                                      SubtractionCurve& corrected, int filterNumber);

} // namespace gw
