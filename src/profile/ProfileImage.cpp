#include "profile/ProfileImage.h"

#include "profile/FifthPage.h"

#include <algorithm>

namespace gw {

bool ProfileImage::isExtended() const {
    return hasFirstPage() && bytes_[HasFivePagesOffset] != 0;
}

int ProfileImage::profileCount() const {
    const std::size_t blockSize = static_cast<std::size_t>(PageSize) * pagesPerProfile();
    return static_cast<int>(bytes_.size() / blockSize);
}

int ProfileImage::currentIndex() const {
    if (!hasFirstPage()) {
        return 0;
    }
    const int stored = bytes_[CurrentProfileOffset];
    return stored < profileCount() ? stored : 0;
}

std::size_t ProfileImage::blockStart(int index, int pages) {
    return static_cast<std::size_t>(index) * pages * PageSize;
}

SystemProfile ProfileImage::readProfile(int index) const {
    std::array<std::uint8_t, SystemProfile::Size> record{};
    const auto first =
        bytes_.begin() + static_cast<std::ptrdiff_t>(blockStart(index, pagesPerProfile()));
    std::copy_n(first, SystemProfile::FirstPageBytes, record.begin());
    if (isExtended()) {
        std::copy_n(first + 4 * PageSize, SystemProfile::FifthPageBytes,
                    record.begin() + SystemProfile::FirstPageBytes);
    }
    return SystemProfile::FromBytes(record);
}

std::string ProfileImage::profileName(int index) const {
    return readProfile(index).ProfileName;
}

void ProfileImage::writeFirstPage(int index, const SystemProfile& profile) {
    const auto record = profile.ToBytes();
    std::copy_n(record.begin(), SystemProfile::FirstPageBytes,
                bytes_.begin() + static_cast<std::ptrdiff_t>(blockStart(index, pagesPerProfile())));
}

void ProfileImage::writeProfile(int index, const SystemProfile& profile) {
    // The layout is taken before the first page is written: the record's own HasFivePages byte
    // may say otherwise until the file-wide values are brought up to date.
    const bool extended = isExtended();
    const auto block =
        bytes_.begin() + static_cast<std::ptrdiff_t>(blockStart(index, pagesPerProfile()));
    const auto record = profile.ToBytes();
    std::copy_n(record.begin(), SystemProfile::FirstPageBytes, block);
    if (extended) {
        std::copy_n(record.begin() + SystemProfile::FirstPageBytes, SystemProfile::FifthPageBytes,
                    block + 4 * PageSize);
    }
}

void ProfileImage::setCurrentIndex(int index) {
    bytes_[CurrentProfileOffset] = static_cast<std::uint8_t>(index);
}

void ProfileImage::setFileWideValues(const SystemProfile& source, int current, bool extended) {
    const auto record = source.ToBytes();
    const int count = profileCount();
    const int pages = pagesPerProfile();
    for (int k = 0; k < count; ++k) {
        const auto page = bytes_.begin() + static_cast<std::ptrdiff_t>(blockStart(k, pages));
        std::copy_n(record.begin() + SystemIdOffset, SystemIdSize, page + SystemIdOffset);
        page[CurrentProfileOffset] = static_cast<std::uint8_t>(current);
        page[HasFivePagesOffset] = extended ? 1 : 0;
    }
}

ProfileImage ProfileImage::convertedToFivePages() const {
    const int count = profileCount();
    const std::size_t plainBlock = 4 * static_cast<std::size_t>(PageSize);
    std::vector<std::uint8_t> out;
    out.reserve(bytes_.size() + static_cast<std::size_t>(count) * PageSize);
    for (int k = 0; k < count; ++k) {
        const auto block = bytes_.begin() + static_cast<std::ptrdiff_t>(k * plainBlock);
        out.insert(out.end(), block, block + static_cast<std::ptrdiff_t>(plainBlock));
        // The copied first page must say that five pages follow, or the file reads as plain.
        out[out.size() - plainBlock + HasFivePagesOffset] = 1;
        const auto fifth = FifthPageTemplate(k);
        out.insert(out.end(), fifth.begin(), fifth.end());
    }
    out.insert(out.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(count * plainBlock),
               bytes_.end());
    return ProfileImage(std::move(out));
}

} // namespace gw
