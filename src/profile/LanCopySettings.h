#pragma once

#include <string>

namespace gw {

class SettingsStore;

// The network copy of data files: whether finished data files are also copied to a directory on
// the LAN, and that directory (with its trailing separator). Kept in the settings store as
// "LAN data" (an integer, non-zero meaning on) and "LAN directory", not in the profile.
struct LanCopySettings {
    bool copy = false;
    std::string directory; // Windows-1252

    // Missing or unreadable values count as off and empty.
    static LanCopySettings Read(const SettingsStore& store);
    // False when the store could not be written.
    bool Write(SettingsStore& store) const;

    bool operator==(const LanCopySettings&) const = default;
};

} // namespace gw
