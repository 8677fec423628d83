#pragma once

#include "profile/PackedDate.h"

namespace gw {

struct DeviceSet;
struct Device_type;
struct SystemProfile;

// The checks of script commands against the script's copy of the profile, shared by the step
// preparation and the step record builder.

// IRRAD source s: the external sources 0..2 always; internal beta, alpha and X-ray (3, 6, 9)
// when their arrangement is above 0.
bool SourceInProfile(const SystemProfile& profile, int source);

// IRRAD position p of source s: 0 for an external source or a one-position internal one; 1 and 2
// for a two-position internal one.
bool PositionInProfile(const SystemProfile& profile, int source, int position);

// OSL device d of the main device set: 0 the visible source, 1..7 the filter wheel, 8 infrared;
// other numbers pass.
bool OslDeviceInProfile(const DeviceSet& set, int device);

// Days from 1 January 1970 to the date, for comparing and subtracting dates.
long long DaysFromCivil(CivilDate date);

// The irradiator's dose rate on the given day, after the decay of its source since calibration.
double IrradiatorRateOn(const Device_type& irradiator, CivilDate today);

} // namespace gw
