#pragma once

#include "profile/SystemProfile.h"

namespace gw {

// The OSL source options of the profile, each kept alike in all three device sets.
enum class OslSource { VisibleOSL, FilterWheel471, IRLEDs3500, ExternalShutter, IRLEDs471 };

// Whether the option can be changed now: the filter wheel and the beam-switch IR LEDs belong to
// the visible source and follow it.
bool OslSourceEditable(const SystemProfile& profile, OslSource source);

// The operator ticks or clears an option: the value goes to all three device sets and the options
// that cannot be fitted together with it are cleared in all three. False (nothing changes) for
// an option that cannot be changed now.
bool SetOslSource(SystemProfile& profile, OslSource source, bool on);

bool OslSourceValue(const SystemProfile& profile, OslSource source);

} // namespace gw
