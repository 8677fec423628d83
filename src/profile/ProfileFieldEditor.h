#pragma once

#include "profile/SystemProfile.h"

#include <string>
#include <vector>

namespace gw {

// Sets one named field of the record from text, as lab managers type it: "ReaderType=4",
// "Devices.VisibleOSL=on", "Devices.Cwl=470,525,0,0,0,0,0,0" (a whole array, comma-separated),
// "Devices.Cwl[1]=525" (one element; a ROI element takes "low,high"), "BetaCalibDate=2005-04-28"
// (or the 16-bit value). Texts are UTF-8 and stored as Windows-1252. Returns an error sentence, or
// an empty text when the field was set; on error the record is unchanged.
std::string SetProfileField(SystemProfile& profile, const std::string& name,
                            const std::string& value);

struct ProfileFieldEdit {
    std::string name;
    std::string value;
};

// Sets several fields in order, all or none. When the edits switch five pages on, the record's
// fifth-page fields are first filled as a conversion fills them (SwitchOnFivePages), so that the
// edits given here win over the template's values. Returns the first error sentence, or empty.
std::string ApplyProfileEdits(SystemProfile& profile, const std::vector<ProfileFieldEdit>& edits);

} // namespace gw
