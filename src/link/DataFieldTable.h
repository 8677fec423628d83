#pragma once

#include <array>

namespace gw {

// The layout of the 16 fields of the data panel for a system type: caption, unit, decimals and
// row. Fields are numbered 1 ... 16 as the operator sees them.
class DataFieldTable {
public:
    static constexpr int FieldCount = 16;
    static constexpr int Integer = -1;  // decimals of an integer field
    static constexpr int RowPitch = 16; // pixels between two rows
    static constexpr int VacuumField = 8;
    // The unit text of the vacuum field: the first unit, a bar and the second unit.
    static constexpr const char* VacuumUnits = "uHg|atm";

    struct Field {
        const char* caption;
        const char* unit;
        int decimals;
        int row;
    };

    DataFieldTable(int systemType, int counterChannels);

    const Field& field(int number) const;
    // The row the field sits on: the extra photon fields push fields 3 ... 13 down.
    int row(int number) const;
    // Fields 14 ... 16 show only for the counter channels present; the 6600 has no vacuum field.
    bool visible(int number) const;
    bool is6600() const { return is6600_; }

private:
    bool is6600_;
    int counterChannels_;
};

} // namespace gw
