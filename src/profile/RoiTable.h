#pragma once

#include "profile/SystemProfile.h"

#include <string>

namespace gw {

// The editor's ROI table of the main set: 13 rows, 5 columns. Rows 0 and 1 are headings, row 2
// the TL integral, rows 3..12 ROI 0..9 with the TL limits in deg C (stored in units of 5 deg C)
// and the OSL limits in channels. Every limit of a ROI is one byte in the file.
struct RoiTable {
    static constexpr int Rows = 13;
    static constexpr int Columns = 5;

    static std::string CellText(const SystemProfile& profile, int row, int column);
    static bool CellEditable(int row, int column);
    // Stores the text of an editable cell; an empty cell stores 0. Text that is not an integer,
    // or a value the file cannot hold, leaves the record unchanged and returns the message.
    static std::string EditCell(SystemProfile& profile, int row, int column,
                                const std::string& text);
};

// The ROI table of the single-aliquot regenerative-dose set: 8 rows, 3 columns; rows 2..7 hold
// OSL ROI 0..5 in channels.
struct SarRoiTable {
    static constexpr int Rows = 8;
    static constexpr int Columns = 3;

    static std::string CellText(const SystemProfile& profile, int row, int column);
    static bool CellEditable(int row, int column);
    static std::string EditCell(SystemProfile& profile, int row, int column,
                                const std::string& text);
};

} // namespace gw
