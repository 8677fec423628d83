#pragma once

#include "profile/SystemProfile.h"

#include <cstdint>
#include <optional>
#include <string>

namespace gw {

// Every irradiator position has a one-letter code: A B G external alpha, beta, gamma; X H L
// internal beta top, high, low; T I O internal alpha; P J W internal X-ray.
inline constexpr const char* AllIrradiationLetters = "ABGXHLTIOPJW";

// The irradiator family of a letter, whose rate unit and isotope fields it uses: alpha for A T I
// O, beta for B X H L, gamma for G and the internal X-ray letters P J W; none for other letters.
enum class IrradiationFamily { None, Alpha, Beta, Gamma };
IrradiationFamily IrradiationFamilyOf(char letter);

// Whether the profile has the irradiator position `letter` stands for.
bool IrradiationOffered(const SystemProfile& profile, char letter);

// The offered letters, in the order of AllIrradiationLetters.
std::string OfferedIrradiationLetters(const SystemProfile& profile);

// The dose rate field of the position; empty for a letter that names none.
std::optional<double> IrradiationDoseRate(const SystemProfile& profile, char letter);

// The beta port offset a four-page profile implies for the system type: 10 for the 3500 and 3550,
// 15 for the 6600, none for the others.
std::optional<std::int16_t> DefaultBetaPort(int systemType);

// The internal beta irradiator's port offset: BetaPort in a five-page profile, else the system
// type's default (10 for the 3500 and 3550, 15 for the 6600, -1 for none).
int BetaPortOffset(const SystemProfile& profile, int systemType);

} // namespace gw
