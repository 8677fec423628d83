#pragma once

#include "script/StepRecord.h"

#include <string>

namespace gw::tool {

// The step record as one JSON object, its fields in record order under lowerCamelCase names:
// numbers as numbers, letters as one-character texts (empty for none), the irradiation date as
// its packed 16-bit value, the channel layout as an array of four counts.
std::string StepRecordToJson(const StepRecord& record);

} // namespace gw::tool
