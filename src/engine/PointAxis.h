#pragma once

#include "engine/PointTable.h"
#include "engine/TDataType.h"

namespace gw {

// 1 when the compatibility switch puts an OSL kind's measured points at index 1 onwards (point 0
// then stands for time 0), else 0.
int PointShift(const TDataType& operation, bool compatibility);

// Fills the X of the points before an operation starts: temperatures for a TL, the running time
// of the time base for the OSL kinds. Irradiations and point queries have no axis. Points beyond
// the table are left out.
void PreparePointAxis(const TDataType& operation, bool compatibility, PointTable& points);

// The axis of an LM-OSL from the MOSL sheet: point i (after the shift) at
// (i + 1) x XFactor x YFactor ms.
void PrepareRampAxis(const TDataType& operation, bool compatibility, PointTable& points);

} // namespace gw
