#pragma once

#include "profile/SystemProfile.h"

#include <cstdint>

namespace gw {

// A sensible profile for a reader of the given system type (0 manual .. 4 = 6600) when no profile
// file is at hand: a visible OSL source, a beta source, the usual time bases and lamp times.
SystemProfile DefaultProfile(std::int16_t readerType = 4);

} // namespace gw
