#include "profile/NewProfileFile.h"

#include "profile/DefaultProfile.h"
#include "profile/FifthPage.h"
#include "profile/ProfileImage.h"

namespace gw {

namespace {

constexpr int MaxProfiles = 256;
constexpr std::size_t MaxNameLength = 15;
constexpr std::size_t MaxDataDirLength = 41;

SystemProfile newProfile(const NewProfileOptions& options, int index) {
    SystemProfile profile = DefaultProfile(options.reader);
    const std::string name = options.name.value_or(profile.ProfileName);
    profile.SystemID = name;
    profile.ProfileName = options.profiles == 1 ? name : name + " " + std::to_string(index + 1);
    profile.VolID = options.dataDir.value_or(profile.VolID);
    profile.CreateDate = PackedDate::Pack(TodayLocal());
    profile.CurrentProfile = 0;
    if (options.extended) {
        SwitchOnFivePages(profile);
    }
    return profile;
}

} // namespace

std::string CheckNewProfileOptions(const NewProfileOptions& options) {
    if (options.profiles < 1 || options.profiles > MaxProfiles) {
        return "A profile file holds 1 to 256 profiles.";
    }
    if (options.reader < 0 || options.reader > 4) {
        return "The reader type must be one of manual, 3400, 3500, 3550 or 6600.";
    }
    if (options.name && (options.name->empty() || options.name->size() > MaxNameLength)) {
        return "The reader name must have 1 to 15 characters.";
    }
    if (options.dataDir && options.dataDir->size() > MaxDataDirLength) {
        return "The data directory must have at most 41 characters with its separator.";
    }
    return {};
}

FileError CreateProfileFile(const std::filesystem::path& path, const NewProfileOptions& options,
                            const std::function<bool(const std::filesystem::path&)>& sync) {
    if (const std::string problem = CheckNewProfileOptions(options); !problem.empty()) {
        return {problem};
    }
    std::error_code code;
    if (std::filesystem::exists(path, code)) {
        return {path.string() + " exists; it is not overwritten"};
    }
    const int pages = options.extended ? 5 : 4;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(options.profiles) * pages *
                                    ProfileImage::PageSize);
    bytes[ProfileImage::HasFivePagesOffset] = options.extended ? 1 : 0;
    ProfileImage image(std::move(bytes));
    for (int k = 0; k < options.profiles; ++k) {
        image.writeProfile(k, newProfile(options, k));
    }
    return ReplaceFile(path, image.bytes(), path.parent_path() / "TLInfo.tmp", sync);
}

} // namespace gw
