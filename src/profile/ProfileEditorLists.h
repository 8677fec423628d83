#pragma once

#include "profile/SystemProfile.h"

#include <string>
#include <vector>

namespace gw {

// The three irradiator kinds; X-ray is the internal gamma kind.
enum class IrradiatorKind { Beta, Alpha, Gamma };

// A drop-down list's items and the one selected (-1 for none).
struct ChoiceList {
    std::vector<std::string> items;
    int selected = -1;
};

extern const std::vector<std::string> ReaderItems;
extern const std::vector<std::string> CurveFilterItems;
extern const std::vector<std::string> PreheatItems;
extern const std::vector<std::string> ArrangementItems;
const std::vector<std::string>& IsotopeItems(IrradiatorKind kind);
const std::vector<std::string>& DoseRateUnitItems(IrradiatorKind kind);

// "1st", "2nd", "3rd", "4th", "11th", "21st"...; empty for n <= 0.
std::string Ordinal(int n);
// "Current profile: 2nd of 3" for the second of three profiles (index 1).
std::string CurrentProfileText(int index, int count);

// The isotope or unit list showing a stored text: the item equal to it (blanks trimmed), or the
// stored text inserted before the last item ("other") when it is none of them and not blank.
ChoiceList StoredTextChoice(const std::vector<std::string>& items, const std::string& stored);

// The irradiation types the profile offers ("beta top X", ...), sorted, with the item whose last
// letter is `letter` selected.
ChoiceList IrradiationTypeChoice(const SystemProfile& profile, char letter);

// The fields of one irradiator kind.
std::string& IsotopeOf(SystemProfile& profile, IrradiatorKind kind);
std::string& DoseRateUnitOf(SystemProfile& profile, IrradiatorKind kind);
PackedDate& CalibDateOf(SystemProfile& profile, IrradiatorKind kind);
std::int16_t& IrradiatorArrangementOf(SystemProfile& profile, IrradiatorKind kind);
const char* KindName(IrradiatorKind kind); // "beta", "alpha", "gamma"

} // namespace gw
