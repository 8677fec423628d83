#pragma once

#include "engine/DataFileRecord.h"

#include <span>
#include <string>

namespace gw {

// The points of records side by side: a row per point index, and for each record its X column
// (temperature or time), one column per counter channel and, when it has afterglow points, the
// afterglow temperature. Commas between the cells, "." as the decimal point, CR LF line ends; a
// point that was never delivered ("invalid") has empty value cells.
std::string DataFileCsv(std::span<const DataFileRecord> records);

// A number in its shortest form that reads back the same.
std::string DataFileCsvNumber(double value);

} // namespace gw
