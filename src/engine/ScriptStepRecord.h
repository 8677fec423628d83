#pragma once

#include "engine/PointTable.h"
#include "engine/TDataType.h"

#include <string>
#include <vector>

namespace gw {

// What one finished script step leaves for the data file: the record's operation and points, and
// the script header before it when the step is the first of a platter. The run keeps it until it
// has been written.
struct ScriptStepRecord {
    std::string dataFile;
    std::vector<std::string> header;
    TDataType operation;
    PointTable points;
};

} // namespace gw
