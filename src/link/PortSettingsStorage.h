#pragma once

#include "link/PortSettings.h"

#include <optional>
#include <string>

namespace gw {

class SettingsStore;

// Stores and restores a port's settings under a key such as
// "HKEY_LOCAL_MACHINE\Software\Ostvane\Glimwerk Console\Reader". The root name before the first
// backslash must be HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER (any case); the port's own name
// ("ComPort", "ScannerComPort") is appended as the last key component.
class PortSettingsStorage {
public:
    static constexpr const char* kStoreFailed = "Failed to store settings";
    static constexpr const char* kLoadFailed = "Failed to load settings";

    explicit PortSettingsStorage(SettingsStore& store) : store_(store) {}

    // The full key path, or nothing when the root name is not a known root.
    static std::optional<std::string> composeKey(const std::string& keyPath,
                                                 const std::string& portComponent);

    // Writes the groups; false (report kStoreFailed) when the key is invalid or a write fails.
    bool store(const std::string& keyPath, const std::string& portComponent,
               const PortSettings& settings, SettingsGroups groups);

    // Reads the groups into the settings, all at once; values that are missing or not in their
    // list take the fallbacks. False (report kLoadFailed) only when the key is invalid; the
    // settings are then unchanged.
    bool load(const std::string& keyPath, const std::string& portComponent, PortSettings& settings,
              SettingsGroups groups) const;

private:
    bool storeBasic(const std::string& key, const PortSettings& settings);
    bool storeParity(const std::string& key, const PortSettings& settings);
    void loadBasic(const std::string& key, PortSettings& settings) const;
    void loadParity(const std::string& key, PortSettings& settings) const;
    std::string text(const std::string& key, const char* name) const;

    SettingsStore& store_;
};

} // namespace gw
