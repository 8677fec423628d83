#pragma once

#include "engine/TDataType.h"

#include <string>

namespace gw {

// Seconds during which the operation takes data (or the irradiation lasts).
// A TL whose RampRate is not positive has no known heating time: only its hold and preheat
// times count, so the result is always finite.
double OperationDuration(const TDataType& operation);

// OperationDuration plus the fixed overhead of the kind (moving, heating up, settling), seconds.
double EstimatedTime(const TDataType& operation);

// A time span in days as "[Dd ]H:MM", the minutes rounded to the nearest whole minute; a
// rounded-up minute carries into the hours and days. Negative or non-finite spans give "0:00".
std::string FormatSpan(double days);

} // namespace gw
