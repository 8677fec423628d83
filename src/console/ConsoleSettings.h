#pragma once

#include "core/ApplicationTitle.h"

#include <string>

namespace gw {

class Prompter;
class SettingsStore;

// The console's named values in the settings store, under SettingsKey ("Software\Ostvane\" and
// the application title). A failed read or write is told to the operator unless asked to be quiet.
class ConsoleSettings {
public:
    static constexpr const char* ApplicationTitle = gw::ApplicationTitle;
    // The two machine-wide keys of the serial port settings; fixed texts, not derived from the key.
    static constexpr const char* ReaderPortKey =
        "HKEY_LOCAL_MACHINE\\Software\\Ostvane\\Glimwerk Console\\Reader";
    static constexpr const char* ScannerPortKey =
        "HKEY_LOCAL_MACHINE\\Software\\Ostvane\\Glimwerk Console\\Scanner";

    ConsoleSettings(SettingsStore& store, Prompter& prompter,
                    const std::string& applicationTitle = ApplicationTitle);

    const std::string& SettingsKey() const { return settingsKey_; }

    // The text when the key (SettingsKey followed by subKey) holds a text of that name; otherwise
    // empty, with "Could not read from registry." unless quiet.
    std::string ReadSettingText(const std::string& subKey, const std::string& name, bool quiet);
    // Creates the key when missing; "Could not write to registry." when that fails.
    void WriteSettingText(const std::string& subKey, const std::string& name,
                          const std::string& text);
    // Like ReadSettingText for an integer value, non-zero meaning on; false when missing.
    bool ReadSettingFlag(const std::string& subKey, const std::string& name, bool quiet);
    // Stores 1 or 0.
    void WriteSettingFlag(const std::string& subKey, const std::string& name, bool flag);

    SettingsStore& store() { return store_; }

private:
    void tellReadFailure(bool quiet);
    void tellWriteFailure();

    SettingsStore& store_;
    Prompter& prompter_;
    std::string settingsKey_;
};

} // namespace gw
