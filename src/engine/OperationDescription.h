#pragma once

#include "engine/TDataType.h"

#include <string>

namespace gw {

// The multi-line description of an operation for the live graph's list of script steps, lines
// separated by CR LF, the degree sign as the Windows-1252 byte 0xB0. Numbers use a "." decimal
// point whatever the process locale.
std::string DescribeOperation(const TDataType& operation);

} // namespace gw
