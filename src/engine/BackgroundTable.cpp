#include "engine/BackgroundTable.h"

namespace gw {

TWhichBgd& BackgroundTable::Entry(int record) {
    while (record >= Capacity()) {
        entries_.resize(entries_.size() + Growth);
    }
    return entries_[std::size_t(record)];
}

} // namespace gw
