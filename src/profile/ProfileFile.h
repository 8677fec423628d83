#pragma once

#include "profile/ProfileContext.h"
#include "profile/ProfileImage.h"
#include "profile/ProfileState.h"
#include "profile/SystemProfile.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace gw {

class SettingsStore;

// The settings key and value that remember the last profile file loaded.
inline constexpr const char* ProfileSettingsKey = "Software\\Ostvane\\Glimwerk Console";
inline constexpr const char* ProfileSettingName = "System info";

struct ProfileLoadResult {
    bool ok = false;
    std::string error;              // why the file could not be loaded; empty when ok
    std::vector<std::string> names; // ProfileName of every profile, in file order
    int current = 0;
    int count = 0;
    int pagesPerProfile = 4;
};

struct ProfileActivation {
    bool ok = false;
    std::string error;
    std::string readerName; // the trimmed ProfileName of the current profile
    // The options the console applies at once.
    std::int16_t ReaderType = 0;
    bool CorrectGlitches = false;
    bool ShortDataMode = false;
};

// The whole file, when it can be read and holds at least one complete profile; otherwise empty,
// with `error` saying why. Changes nothing.
std::optional<ProfileImage> ReadProfileImage(const std::string& path, std::string& error);

// Reads the current profile of the file into state.Profile and sets state.PagesPerProfile; stores
// the full path in the setting "System info". A file that holds no complete profile leaves the
// record zero-filled and returns the reason.
ProfileLoadResult LoadProfile(const std::string& path, ProfileState& state, ProfileContext& ctx);

// Writes state.Profile back as the current profile of the file (converting a plain file to five
// pages first when HasFivePages is on) and brings the file-wide values of every profile up to
// date. The file is replaced whole, never left half-written; failures are shown to the operator.
bool SaveProfile(const std::string& path, ProfileState& state, ProfileContext& ctx);

// Makes profile `index` the current profile of the file. The caller then loads the file again.
bool SelectCurrentProfile(const std::string& path, int index, ProfileContext& ctx);

// Rewrites a plain four-page file as a five-page file; the old file is kept as "TLInfo.bak".
bool ConvertToFivePages(const std::string& path, ProfileContext& ctx);

// Checks a profile file before use and returns its reader name and console options; asks the
// operator for a name when the current profile has none and stores it.
ProfileActivation ActivateProfileFile(const std::string& path, ProfileContext& ctx);

// Copies the file at state.ProfilePath to newPath; on success the new path becomes the one in use
// and is remembered in "System info". A failed copy changes nothing and shows nothing.
bool CopyProfileFile(const std::string& newPath, ProfileState& state, ProfileContext& ctx);

// The profile file the console starts with: the file named by "System info" when it exists, else
// "TLInfo.dta" in the working directory when that exists; empty when there is none.
std::optional<std::string> FindStartupProfile(const SettingsStore& settings,
                                              const std::filesystem::path& workingDirectory);

// Takes a profile file into use, at start-up and when the operator loads another one: activates
// it, makes it state.ProfilePath, sets state.ProfileLoaded and loads its current profile. The
// caller then shows the reader name and applies the returned console options. Not ok (with the
// reason, already shown) when the file cannot be used; the state is then unchanged.
ProfileActivation OpenProfileFile(const std::string& path, ProfileState& state,
                                  ProfileContext& ctx);

} // namespace gw
