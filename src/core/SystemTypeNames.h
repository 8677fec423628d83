#pragma once

#include <string>

namespace gw {

// The reader variants: 0 manual, 1 = 3400, 2 = 3500, 3 = 3550, 4 = 6600.
inline constexpr int ManualSystem = 0;
inline constexpr int System6600 = 4;

bool IsValidSystemType(int systemType);

// The window caption for a system type: "Glimwerk Console 6600 system", " unknown " for others.
std::string SystemTypeCaption(int systemType);

// The menu item that selects the type: "Manual system", "3400 system" ... "6600 system".
std::string SystemTypeMenuItem(int systemType);

} // namespace gw
