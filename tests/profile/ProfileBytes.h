#pragma once

#include "profile/SystemProfile.h"

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace gw::testing {

using RecordBytes = std::array<std::uint8_t, SystemProfile::Size>;

// Bytes that no real profile would hold, so that a byte put in the wrong place shows.
inline std::vector<std::uint8_t> RandomBytes(std::size_t size, unsigned seed) {
    std::mt19937 engine(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    std::vector<std::uint8_t> bytes(size);
    for (auto& b : bytes) {
        b = static_cast<std::uint8_t>(byte(engine));
    }
    return bytes;
}

inline RecordBytes RandomRecord(unsigned seed) {
    const auto bytes = RandomBytes(SystemProfile::Size, seed);
    RecordBytes record{};
    std::copy(bytes.begin(), bytes.end(), record.begin());
    return record;
}

// The byte ranges [first, last) of the record that this program does not interpret.
inline std::vector<std::pair<int, int>> UninterpretedRanges() {
    std::vector<std::pair<int, int>> ranges = {
        {0, 8},     {56, 72},   {152, 154}, {155, 168}, {226, 256}, {258, 259}, {264, 266},
        {268, 270}, {278, 286}, {436, 439}, {440, 445}, {447, 448}, {449, 452}, {588, 594},
        {743, 775}, {800, 875}, {877, 879}, {881, 889}, {913, 953}, {983, 991},
    };
    for (int base : {292, 452, 605}) {
        for (int pad : {75, 77, 79, 81, 83, 85}) {
            ranges.emplace_back(base + pad, base + pad + 1);
        }
    }
    // The single-aliquot sets use only +96..+107 of their ROI area.
    for (int base : {452, 605}) {
        ranges.emplace_back(base + 88, base + 96);
        ranges.emplace_back(base + 108, base + 128);
    }
    return ranges;
}

} // namespace gw::testing
