#pragma once

#include "engine/AcquisitionState.h"
#include "engine/TDataType.h"

#include <array>
#include <cstdint>
#include <string>

namespace gw {

// The live graph's status text: what the acquisition is doing, or, when it does nothing and the
// reader is idle, what the reader is doing ("busy", "calibrating", "irradiating N s", "idle").
std::string AcquisitionStatusText(const TDataType& operation, const AcquisitionState& acquisition,
                                  const std::array<std::uint8_t, 32>& flags, int timer);

} // namespace gw
