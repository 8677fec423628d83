#pragma once

#include <array>
#include <cstdint>

namespace gw {

// The channels of an OSL measurement of luminescence, bleach and background periods (seconds)
// in the older analysis format: counts of 0.01 s, 0.1 s, 1 s and 10 s channels, at most 99 in
// all, covering the whole measurement with less than 0.1 s to spare. A measurement longer than
// 99 channels of 10 s gets those 99 channels.
std::array<std::uint8_t, 4> ChannelLayout(double luminescence, double bleach, double background);

} // namespace gw
