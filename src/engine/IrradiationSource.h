#pragma once

#include <string>

namespace gw {

// The irradiation source letters of the operation record's Source field:
// A, B, G external alpha, beta, gamma; X, L, H internal beta top, low, high;
// T, O, I internal alpha top, low, high; P, W, J internal X-ray top, low, high.

// The source's name ("External alpha", "Internal beta top" ...); empty for an unknown letter.
std::string IrradiationSourceName(char source);

// External sources are not driven by the reader: their irradiations are only recorded.
bool IsExternalSource(char source);

} // namespace gw
