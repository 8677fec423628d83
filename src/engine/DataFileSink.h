#pragma once

#include "engine/DataFileRecord.h"

#include <string>

namespace gw {

// Receives what the data file parser reads, in file order, each header block and record once it
// is complete.
class DataFileSink {
public:
    virtual ~DataFileSink() = default;
    virtual void header(DataFileHeader header) = 0;
    virtual void record(DataFileRecord record) = 0;
    // A line outside any record that is neither a key nor a record's start.
    virtual void fileProblem(const std::string& problem) { static_cast<void>(problem); }
    // The file was replaced or shortened: what was handed over so far no longer holds, and the
    // file is read again from its start.
    virtual void restarted() {}
};

} // namespace gw
