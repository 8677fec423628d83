#pragma once

#include <string>

namespace gw {

// The irradiator table the IRRAD command indexes with source + position: 0 external alpha,
// 1 external beta, 2 external gamma, 3..5 internal beta top, low, high, 6..8 internal alpha,
// 9..11 internal X-ray.
inline constexpr int IrradiatorEntries = 12;

// The entry's name ("Internal beta top"); empty outside 0..11.
std::string IrradiatorName(int entry);

// The entry's source letter (A B G X L H T O I P W J); 0 outside 0..11.
char IrradiatorLetter(int entry);

// The device list's description of the entry: its name + " irradiator".
std::string IrradiatorDescription(int entry);

} // namespace gw
