#pragma once

namespace gw {

// The application's title: the window caption's first words and the settings key's last part.
inline constexpr const char* ApplicationTitle = "Glimwerk Console";

} // namespace gw
