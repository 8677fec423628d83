#pragma once

#include <array>

namespace gw {

// Texts and places of the labels of the status panel (32 flags in two columns of 16 rows) and
// the error panel (12 bits in three columns of 4 rows). Columns and rows count from 1.
class PanelLabels {
public:
    static constexpr int StatusCount = 32;
    static constexpr int StatusRows = 16;
    static constexpr int ErrorCount = 12;
    static constexpr int ErrorRows = 4;
    static constexpr int Left = 1;
    static constexpr int Right = 2;

    struct Place {
        const char* text; // empty: the label stays blank and is never highlighted
        int column;
        int row;
    };

    // The status label of flag i on the given system type (the 6600 has its own set).
    static const Place& status(int systemType, int flag);
    static const Place& error(int bit);
    // Whether a label is drawn highlighted for a flag or bit of the given value.
    static bool highlighted(const Place& place, int value) {
        return place.text[0] != '\0' && value == 1;
    }
};

} // namespace gw
