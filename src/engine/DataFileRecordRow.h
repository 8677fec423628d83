#pragma once

#include "engine/DataFileRecord.h"

#include <cstdint>
#include <string>
#include <vector>

namespace gw {

// What the records table keeps of a record, without its points: the texts it shows (as written,
// trimmed, empty when missing) and where to read the points again.
struct DataFileRecordRow {
    int index = 0;
    std::string disk;
    std::string hole;
    std::string type;
    std::string temperature; // "MaxTemp=" of a TL, "SampleTemp=" of the others
    int points = 0;          // point lines read
    std::string started;
    int header = -1;
    int channels = 0;
    bool tl = false;
    std::vector<std::string> problems;
    std::uint64_t offset = 0;
    std::uint64_t length = 0;

    bool operator==(const DataFileRecordRow&) const = default;
};

DataFileRecordRow DataFileRowOf(const DataFileRecord& record);

} // namespace gw
