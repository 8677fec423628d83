#pragma once

#include "engine/TDataType.h"
#include "engine/TakeDataValues.h"

#include <string>

namespace gw {

struct SystemProfile;

// How the take-data dialog's values become the operation record: the steps of OK and what each
// starter reads of its sheet. Each filler sets Complete and takes the data file, info text and
// disk from the common area again, so the next disk or hole of a sequence reads its own.

// The data file of the dialog's name: a name without a directory goes into the profile's data
// directory (`VolID`, a leading ".\" dropped).
std::string DialogDataFile(const std::string& name, const std::string& dataDirectory);

// OK: the record cleared and its common fields filled from the values; "to" follows "&Disk #"
// without a range, the hole of "all" becomes the disk's first selected hole, and a TL's OS
// "stop at" comes down to the end temperature (not in preheat form, whose OS fields stay as they
// are).
void ConfirmTakeData(TakeDataValues& values, const std::string& dataDirectory, TDataType& op);

// The power step of a ramp over `points` points: the wanted power's share, at least one step,
// and never more than full power in total.
int RampPowerIncrement(double powerPercent, int points);

void FillOslFields(const TakeDataValues& values, const std::string& dataDirectory, TDataType& op);
void FillMoslFields(const TakeDataValues& values, const std::string& dataDirectory, TDataType& op);
// In preheat form the OS fields are ignored: no stimulation.
void FillTlFields(const TakeDataValues& values, const std::string& dataDirectory, TDataType& op);
// The irradiator sits `PositionOffset` positions from the measuring position by the same rule
// as a script's beta irradiation (the extended profile's `BetaPort`).
void FillIrradiationFields(const TakeDataValues& values, const std::string& dataDirectory,
                           const SystemProfile& profile, int systemType, TDataType& op);

// Whether the TL sheet's "record afterglow " box is shown: the profile's afterglow code is 0,
// 14, 17 or 20 and the compatibility switch is off.
bool AfterglowBoxShown(int afterglowCode, bool compatibility);

} // namespace gw
