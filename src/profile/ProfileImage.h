#pragma once

#include "profile/SystemProfile.h"

#include <cstdint>
#include <string>
#include <vector>

namespace gw {

// The whole profile file held in memory: 800-byte pages with no header, each profile a block of 4
// pages (plain file) or 5 (extended file). Page 0 holds the file-wide values that count. Bytes
// beyond the last whole block belong to no profile and are carried along unchanged.
class ProfileImage {
public:
    static constexpr int PageSize = 800;
    static constexpr int HasFivePagesOffset = 445;
    static constexpr int CurrentProfileOffset = 799;
    static constexpr int SystemIdOffset = 210;
    static constexpr int SystemIdSize = 16;
    static constexpr int ProfileNameOffset = 775;

    explicit ProfileImage(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

    // Page 0 is present; without it the file tells nothing, not even its layout.
    bool hasFirstPage() const { return bytes_.size() >= PageSize; }
    bool isExtended() const;
    int pagesPerProfile() const { return isExtended() ? 5 : 4; }
    int profileCount() const;
    // The index page 0 names, or 0 when that is not a profile of the file.
    int currentIndex() const;

    // Profile `index` (below profileCount()): its first page and, when extended, the first 215
    // bytes of its fifth page.
    SystemProfile readProfile(int index) const;
    std::string profileName(int index) const;
    void writeProfile(int index, const SystemProfile& profile);
    // Writes only the first page of profile `index` (bytes 0..799 of the record).
    void writeFirstPage(int index, const SystemProfile& profile);

    // Page 0's byte 799: the current profile.
    void setCurrentIndex(int index);
    // Writes the three file-wide values into the first page of every profile.
    void setFileWideValues(const SystemProfile& source, int current, bool extended);

    // The same profiles laid out five pages each: the four pages unchanged, then a fresh fifth
    // page carrying the profile's index. Bytes after the last whole block follow unchanged.
    ProfileImage convertedToFivePages() const;

private:
    static std::size_t blockStart(int index, int pages);
    std::vector<std::uint8_t> bytes_;
};

} // namespace gw
