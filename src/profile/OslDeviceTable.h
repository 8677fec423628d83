#pragma once

#include "profile/SystemProfile.h"

#include <array>
#include <string>
#include <vector>

namespace gw {

// The editor's table of OSL devices: a header row, rows 1..8 for the visible devices 0..7 and
// row 9 for the infrared LEDs (device 8); columns label, CWL, fwhm, background and detector
// filter. Labels and wavelengths always come from the main set; background and detector filter
// from the set shown (the main set, or a single-aliquot set shown beside it).
struct OslDeviceTable {
    static constexpr int Rows = 10;
    static constexpr int Columns = 5;
    static constexpr int InfraredRow = 9;

    // No "{}" here: clang 14 crashes on it (the strings start empty anyway).
    std::array<std::array<std::string, Columns>, Rows> cells;
    // The items of "Active OSL device" with the device each stands for, and the one selected
    // (-1 when the set's active device has no row).
    struct Item {
        int device;
        std::string text;
    };
    std::vector<Item> activeDevices;
    int selectedItem = -1;

    bool labelled(int row) const { return row >= 1 && row < Rows && !cells[row][0].empty(); }
};

OslDeviceTable BuildOslDeviceTable(const SystemProfile& profile, const DeviceSet& shown);

// Whether a cell of the main table takes the operator's text.
bool OslDeviceCellEditable(const OslDeviceTable& table, const SystemProfile& profile, int row,
                           int column);

// Stores the text of an editable cell into the main set: CWL and fwhm as integers, the
// background times ten, the detector filter; an empty cell stores 0. Text that is not a number,
// or a value the field cannot hold, leaves the record unchanged and returns the message.
std::string EditOslDeviceCell(SystemProfile& profile, int row, int column, const std::string& text);

} // namespace gw
