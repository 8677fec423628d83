#pragma once

#include "engine/TDataType.h"

#include <string>

namespace gw::tool {

// The operation record as one JSON object: every field under its own name (kinds as numbers,
// letters as one-character texts, empty for none; a non-finite number as null), followed by
// "description" (DescribeOperation) and "estimatedTime" (EstimatedTime, seconds).
std::string OperationToJson(const TDataType& operation);

// A number as JSON: the shortest text that reads back as the same double; null when not finite.
std::string JsonNumber(double value);

} // namespace gw::tool
