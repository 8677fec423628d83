#include "profile/LanCopySettings.h"

#include "core/SettingsStore.h"
#include "profile/DirectoryText.h"
#include "profile/ProfileFile.h"

namespace gw {

namespace {

constexpr const char* LanDataName = "LAN data";
constexpr const char* LanDirectoryName = "LAN directory";

} // namespace

LanCopySettings LanCopySettings::Read(const SettingsStore& store) {
    LanCopySettings lan;
    lan.copy = store.readInteger(ProfileSettingsKey, LanDataName).value_or(0) != 0;
    lan.directory = store.readText(ProfileSettingsKey, LanDirectoryName).value_or("");
    return lan;
}

bool LanCopySettings::Write(SettingsStore& store) const {
    const bool flagWritten = store.writeInteger(ProfileSettingsKey, LanDataName, copy ? 1 : 0);
    const bool directoryWritten =
        store.writeText(ProfileSettingsKey, LanDirectoryName, WithTrailingSeparator(directory));
    return flagWritten && directoryWritten;
}

} // namespace gw
