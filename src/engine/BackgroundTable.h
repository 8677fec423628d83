#pragma once

#include "engine/TWhichBgd.h"

#include <vector>

namespace gw {

// The background bookkeeping of one counter channel's records, by record number: 400 entries at
// the start, 20 more whenever a record number reaches the end.
class BackgroundTable {
public:
    static constexpr int InitialEntries = 400;
    static constexpr int Growth = 20;

    BackgroundTable() : entries_(InitialEntries) {}

    // The entry of record r (r >= 0), the table grown to hold it.
    TWhichBgd& Entry(int record);
    const TWhichBgd& At(int record) const { return entries_.at(std::size_t(record)); }
    int Capacity() const { return int(entries_.size()); }

private:
    std::vector<TWhichBgd> entries_;
};

} // namespace gw
