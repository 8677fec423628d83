#pragma once

#include "engine/TakeDataValues.h"

#include <string>
#include <vector>

namespace gw {

// What the take-data dialog's OK is checked against besides the values themselves.
struct TakeDataContext {
    int systemType = 4; // the reader: its platter and the MOSL sheet
};

// The verdict on the values at OK. A refusal names the field ("Data space, \260C ...") and keeps
// the dialog open; notices are told to the operator but let the operation start.
struct TakeDataVerdict {
    std::string refusal;
    std::vector<std::string> notices;

    bool accepted() const { return refusal.empty(); }
};

// Checks the confirmed sheet and the common area: every field within its limits, nothing that
// would divide by zero or run past the point table, a MOSL ramp found, a selected hole on the
// disk when "all" holes are to be measured.
TakeDataVerdict CheckTakeData(const TakeDataValues& values, const TakeDataContext& context);

// The highest disk number the reader's platter has.
int LastDisk(int systemType);

} // namespace gw
