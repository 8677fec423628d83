#pragma once

#include "profile/SystemProfile.h"

#include <cstdint>
#include <vector>

namespace gw {

// The fifth page a conversion to five pages gives profile `index`: the letters 'A' and 'G', the
// beta port offset of a 6600, and a closing label.
std::vector<std::uint8_t> FifthPageTemplate(int index);

// Turns five pages on in the record: its fifth-page fields come from the same template that
// converts the file's other profiles, with the beta port the record's reader type implies (the
// template's own where the type implies none), so that the port offset in use does not change.
// A record that already has five pages is left alone.
void SwitchOnFivePages(SystemProfile& profile);

} // namespace gw
