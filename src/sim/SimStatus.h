#pragma once

#include <array>
#include <cstdint>

namespace gw {

// One status report of the reader, in the reader's own terms, before it is encoded.
struct SimStatus {
    std::array<std::uint32_t, 4> counts{}; // counts[0] is the main detector
    int pointCounter = 0;                  // full point index; the encoder cuts it to the field
    int position = 0;
    int stateCode = 0;
    std::uint32_t errorBits = 0;
    std::array<std::uint8_t, 8> data{};
    std::array<bool, 32> flags{}; // true = the condition holds (flag 1 on the console's side)
    int timerS = 0;
};

} // namespace gw
