#pragma once

#include "profile/SystemProfile.h"

#include <string>

namespace gw {

// Sets one named field of the record from text, as lab managers type it: "ReaderType=4",
// "Devices.VisibleOSL=on", "Devices.Cwl=470,525,0,0,0,0,0,0" (a whole array, comma-separated),
// "Devices.Cwl[1]=525" (one element; a ROI element takes "low,high"), "BetaCalibDate=2005-04-28"
// (or the 16-bit value). Texts are UTF-8 and stored as Windows-1252. Returns an error sentence, or
// an empty text when the field was set; on error the record is unchanged.
std::string SetProfileField(SystemProfile& profile, const std::string& name,
                            const std::string& value);

} // namespace gw
