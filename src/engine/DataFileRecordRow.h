#pragma once

#include "engine/DataFileRecord.h"

#include <string>

namespace gw {

// What the records table shows of a record: texts as written, trimmed, empty when missing.
struct DataFileRecordRow {
    int index = 0;
    std::string disk;
    std::string hole;
    std::string type;
    std::string temperature; // "MaxTemp=" of a TL, "SampleTemp=" of the others
    int points = 0;          // point lines read
    std::string started;

    bool operator==(const DataFileRecordRow&) const = default;
};

DataFileRecordRow DataFileRowOf(const DataFileRecord& record);

} // namespace gw
