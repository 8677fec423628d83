#pragma once

#include <cstdint>

namespace gw {

// What the background subtraction knows of one binary record of a run, by record number.
struct TWhichBgd {
    int platter = -1;
    int number = -1; // the disk's number
    int subtractionIndex =
        -1; // the measurement's ".sub" record; -(measurements + 1) for a background
    std::uint8_t processed = 0;
    std::uint8_t flag = 0;    // self-corrected (an OSL by the profile's rate), or a background
    bool measurement = false; // false for a background, and for an entry no record has filled
};

} // namespace gw
