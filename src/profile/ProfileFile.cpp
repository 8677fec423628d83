#include "profile/ProfileFile.h"

#include "core/Prompter.h"
#include "core/SettingsStore.h"
#include "profile/FileBytes.h"
#include "profile/ProfileImage.h"

#include <optional>

namespace gw {

namespace {

namespace fs = std::filesystem;

constexpr const char* TemporaryName = "TLInfo.tmp";
constexpr const char* BackupName = "TLInfo.bak";
constexpr std::size_t MaxReaderNameLength = 15;
// The operator may cancel the empty-name question; after this many showings activation goes on
// with an empty name rather than holding the console (or an unattended run) forever.
constexpr int MaxNamePrompts = 10;
// Far beyond the 256 profiles a file can name as current; a larger file is something else.
constexpr std::uintmax_t MaxProfileFileSize = 16u << 20;

std::string quoted(const std::string& path) {
    return "\"" + path + "\"";
}

fs::path besideFile(const std::string& path, const char* name) {
    return fs::path(path).parent_path() / name;
}

std::string fullPath(const std::string& path) {
    std::error_code code;
    const fs::path absolute = fs::absolute(path, code);
    return code ? path : absolute.lexically_normal().string();
}

void rememberProfilePath(const std::string& path, ProfileContext& ctx) {
    if (!ctx.settings.writeText(ProfileSettingsKey, ProfileSettingName, fullPath(path))) {
        ctx.prompter.message(MessageKind::Error, "Error", "Could not write to registry.");
    }
}

// Leading and trailing blanks (and control characters) removed.
std::string trimmed(const std::string& text) {
    const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && isBlank(text[first])) {
        ++first;
    }
    while (last > first && isBlank(text[last - 1])) {
        --last;
    }
    return text.substr(first, last - first);
}

bool showError(ProfileContext& ctx, const std::string& text) {
    ctx.prompter.message(MessageKind::Error, "Error", text);
    return false;
}

// Replaces the profile file; a converted file first leaves the old contents as "TLInfo.bak".
FileError writeProfileImage(const std::string& path, const ProfileImage& updated,
                            const ProfileImage* previousForBackup, ProfileContext& ctx) {
    const fs::path temporary = besideFile(path, TemporaryName);
    if (previousForBackup != nullptr) {
        const FileError backupError = ReplaceFile(
            besideFile(path, BackupName), previousForBackup->bytes(), temporary, ctx.syncFile);
        if (backupError) {
            return backupError;
        }
    }
    return ReplaceFile(path, updated.bytes(), temporary, ctx.syncFile);
}

} // namespace

std::optional<ProfileImage> ReadProfileImage(const std::string& path, std::string& error) {
    std::error_code sizeError;
    const std::uintmax_t size = fs::file_size(path, sizeError);
    if (!sizeError && size > MaxProfileFileSize) {
        error = "The file " + quoted(path) + " is too large to be a profile file (" +
                std::to_string(size) + " bytes).";
        return std::nullopt;
    }
    FileError fileError;
    ProfileImage image(ReadFileBytes(path, fileError));
    if (fileError) {
        error = fileError.message;
        return std::nullopt;
    }
    if (image.profileCount() == 0) {
        const std::size_t blockSize = static_cast<std::size_t>(ProfileImage::PageSize) *
                                      (image.hasFirstPage() ? image.pagesPerProfile() : 4);
        error = "The profile file " + quoted(path) + " is too short: it has " +
                std::to_string(image.bytes().size()) + " bytes, one profile takes " +
                std::to_string(blockSize) + ".";
        return std::nullopt;
    }
    return image;
}

ProfileLoadResult LoadProfile(const std::string& path, ProfileState& state, ProfileContext& ctx) {
    ProfileLoadResult result;
    const std::optional<ProfileImage> image = ReadProfileImage(path, result.error);
    if (!image) {
        // The live record keeps what it had: it is never filled from bytes that were not read.
        return result;
    }
    result.ok = true;
    result.pagesPerProfile = image->pagesPerProfile();
    result.count = image->profileCount();
    result.current = image->currentIndex();
    for (int k = 0; k < result.count; ++k) {
        result.names.push_back(image->profileName(k));
    }
    state.PagesPerProfile = result.pagesPerProfile;
    state.Profile = image->readProfile(result.current);
    rememberProfilePath(path, ctx);
    return result;
}

bool SaveProfile(const std::string& path, ProfileState& state, ProfileContext& ctx) {
    std::string error;
    const std::optional<ProfileImage> original = ReadProfileImage(path, error);
    if (!original) {
        return showError(ctx, "The profile was not saved. " + error);
    }
    // The file names the profile being saved, not the record.
    const int current = original->currentIndex();
    const bool convert = state.Profile.HasFivePages && !original->isExtended();
    ProfileImage updated = convert ? original->convertedToFivePages() : *original;
    // An extended file stays extended even when the record's flag is off: writing a zero there
    // would make every later profile read from the wrong pages.
    const bool extended = updated.isExtended();
    updated.writeProfile(current, state.Profile);
    updated.setFileWideValues(state.Profile, current, extended);

    const FileError written = writeProfileImage(path, updated, convert ? &*original : nullptr, ctx);
    if (written) {
        return showError(ctx, "The profile was not saved. " + written.message);
    }
    state.PagesPerProfile = updated.pagesPerProfile();
    state.Profile.HasFivePages = extended;
    state.Profile.CurrentProfile = static_cast<std::uint8_t>(current);
    return true;
}

bool SelectCurrentProfile(const std::string& path, int index, ProfileContext& ctx) {
    std::string error;
    std::optional<ProfileImage> image = ReadProfileImage(path, error);
    if (!image) {
        return showError(ctx, "No profile was selected. " + error);
    }
    if (index < 0 || index >= image->profileCount()) {
        return showError(ctx, "The profile file " + quoted(path) + " has no profile " +
                                  std::to_string(index) + ".");
    }
    image->setCurrentIndex(index);
    const FileError written = writeProfileImage(path, *image, nullptr, ctx);
    if (written) {
        return showError(ctx, "No profile was selected. " + written.message);
    }
    return true;
}

bool ConvertToFivePages(const std::string& path, ProfileContext& ctx) {
    std::string error;
    const std::optional<ProfileImage> original = ReadProfileImage(path, error);
    if (!original) {
        return showError(ctx, "The profile file was not converted. " + error);
    }
    if (original->isExtended()) {
        return true;
    }
    const FileError written =
        writeProfileImage(path, original->convertedToFivePages(), &*original, ctx);
    if (written) {
        return showError(ctx, "The profile file was not converted. " + written.message);
    }
    return true;
}

ProfileActivation ActivateProfileFile(const std::string& path, ProfileContext& ctx) {
    ProfileActivation activation;
    std::optional<ProfileImage> image = ReadProfileImage(path, activation.error);
    if (!image) {
        showError(ctx, activation.error);
        return activation;
    }
    const int current = image->currentIndex();
    SystemProfile page = image->readProfile(current);
    activation.ok = true;
    activation.ReaderType = page.ReaderType;
    activation.CorrectGlitches = page.CorrectGlitches;
    activation.ShortDataMode = page.ShortDataMode;

    const std::string nameRead = trimmed(page.ProfileName);
    std::string name = nameRead;
    for (int shown = 0; name.empty() && shown < MaxNamePrompts; ++shown) {
        if (shown > 0) {
            ctx.prompter.beep();
        }
        const std::optional<std::string> entered = ctx.prompter.askText(
            "Reader system ID is empty", "it must be a unique name (<= 15 chars)", name);
        if (entered) {
            name = trimmed(*entered).substr(0, MaxReaderNameLength);
        }
    }
    activation.readerName = name;
    if (name != nameRead) {
        page.ProfileName = name;
        image->writeFirstPage(current, page);
        const FileError written = writeProfileImage(path, *image, nullptr, ctx);
        if (written) {
            showError(ctx, "The reader name was not stored. " + written.message);
        }
    }
    return activation;
}

bool CopyProfileFile(const std::string& newPath, ProfileState& state, ProfileContext& ctx) {
    if (state.ProfilePath.empty()) {
        return false;
    }
    std::error_code code;
    if (fs::equivalent(state.ProfilePath, newPath, code)) {
        state.ProfilePath = fullPath(newPath);
        rememberProfilePath(newPath, ctx);
        return true;
    }
    FileError error;
    const std::vector<std::uint8_t> bytes = ReadFileBytes(state.ProfilePath, error);
    if (error || ReplaceFile(newPath, bytes, besideFile(newPath, TemporaryName), ctx.syncFile)) {
        return false;
    }
    state.ProfilePath = fullPath(newPath);
    rememberProfilePath(newPath, ctx);
    return true;
}

std::optional<std::string> FindStartupProfile(const SettingsStore& settings,
                                              const fs::path& workingDirectory) {
    std::error_code code;
    const std::optional<std::string> remembered =
        settings.readText(ProfileSettingsKey, ProfileSettingName);
    if (remembered && !remembered->empty() && fs::is_regular_file(*remembered, code)) {
        return remembered;
    }
    const fs::path local = workingDirectory / "TLInfo.dta";
    if (fs::is_regular_file(local, code)) {
        return fullPath(local.string());
    }
    return std::nullopt;
}

ProfileActivation OpenProfileFile(const std::string& path, ProfileState& state,
                                  ProfileContext& ctx) {
    ProfileActivation activation = ActivateProfileFile(path, ctx);
    if (!activation.ok) {
        return activation;
    }
    ProfileState opened = state;
    const ProfileLoadResult loaded = LoadProfile(path, opened, ctx);
    if (!loaded.ok) {
        // The file changed between the two reads; nothing is taken from it.
        activation.ok = false;
        activation.error = loaded.error;
        showError(ctx, loaded.error);
        return activation;
    }
    opened.ProfilePath = fullPath(path);
    opened.ProfileLoaded = true;
    state = opened;
    return activation;
}

} // namespace gw
