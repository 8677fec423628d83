#pragma once

#include "engine/DataFileFormat.h"

namespace gw {

// The data file format of the operator's regional settings: the system locale's decimal
// separator, its short date and its long time (without a time zone name).
DataFileFormat LocaleDataFileFormat();

} // namespace gw
