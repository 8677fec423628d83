#include "console/ConsoleSettings.h"

#include "core/Prompter.h"
#include "core/SettingsStore.h"

namespace gw {

ConsoleSettings::ConsoleSettings(SettingsStore& store, Prompter& prompter,
                                 const std::string& applicationTitle)
    : store_(store), prompter_(prompter), settingsKey_("Software\\Ostvane\\" + applicationTitle) {}

std::string ConsoleSettings::ReadSettingText(const std::string& subKey, const std::string& name,
                                             bool quiet) {
    const std::string key = settingsKey_ + subKey;
    const auto text = store_.hasKey(key) ? store_.readText(key, name) : std::nullopt;
    if (!text) {
        tellReadFailure(quiet);
        return {};
    }
    return *text;
}

void ConsoleSettings::WriteSettingText(const std::string& subKey, const std::string& name,
                                       const std::string& text) {
    if (!store_.writeText(settingsKey_ + subKey, name, text)) {
        tellWriteFailure();
    }
}

bool ConsoleSettings::ReadSettingFlag(const std::string& subKey, const std::string& name,
                                      bool quiet) {
    const std::string key = settingsKey_ + subKey;
    const auto value = store_.hasKey(key) ? store_.readInteger(key, name) : std::nullopt;
    if (!value) {
        tellReadFailure(quiet);
        return false;
    }
    return *value != 0;
}

void ConsoleSettings::WriteSettingFlag(const std::string& subKey, const std::string& name,
                                       bool flag) {
    if (!store_.writeInteger(settingsKey_ + subKey, name, flag ? 1 : 0)) {
        tellWriteFailure();
    }
}

void ConsoleSettings::tellReadFailure(bool quiet) {
    if (!quiet) {
        prompter_.message(MessageKind::Error, "Error", "Could not read from registry.");
    }
}

void ConsoleSettings::tellWriteFailure() {
    prompter_.message(MessageKind::Error, "Error", "Could not write to registry.");
}

} // namespace gw
