#pragma once

#include "engine/TWhichBgd.h"

#include <cstdint>
#include <vector>

namespace gw {

// What the binary data of a run keeps in memory between its records: the counts, the
// background table of every channel (the entries of the run's records) and the header being
// built, which carries what the steps since the last record did (an irradiation, a heating rate).
// A resumed run takes it up again from the run journal.
struct CompatibilityBookkeeping {
    int recordCount = -1;
    int measurementCount = -1;
    std::vector<std::vector<TWhichBgd>> tables; // per channel, records 0 ... recordCount
    std::vector<std::uint8_t> header;           // the header bytes of the next record
};

} // namespace gw
