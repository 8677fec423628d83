#pragma once

#include "link/DataFieldTable.h"
#include "link/ReaderState.h"

#include <array>
#include <string>

namespace gw {

// One field of the data panel as it is to be shown.
struct DataFieldView {
    std::string caption;
    std::string value; // the converted value, written with the field's decimals
    std::string unit;
    int row = 0;
    bool visible = true;
};

// The 16 data fields for a reader state on a system type with k counter channels.
std::array<DataFieldView, DataFieldTable::FieldCount>
DataFieldViews(const ReaderState& state, int systemType, int counterChannels);

// The fields with every value 0, as after start-up or a change of system type.
std::array<DataFieldView, DataFieldTable::FieldCount> ClearedDataFields(int systemType,
                                                                        int counterChannels);

} // namespace gw
