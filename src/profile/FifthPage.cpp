#include "profile/FifthPage.h"

#include "profile/IrradiationLetter.h"

#include <algorithm>
#include <string>

namespace gw {

namespace {

constexpr int PageSize = 800;
constexpr int CurrentProfileOffset = 799;
constexpr int TemplateBetaPort = 15;

} // namespace

std::vector<std::uint8_t> FifthPageTemplate(int index) {
    std::vector<std::uint8_t> page(PageSize, 0);
    page[72] = 'A';
    page[74] = 'G';
    page[179] = TemplateBetaPort; // int16 little-endian; the alpha and X-ray ports stay 0
    const std::string label = " End of 4-th page ";
    page[775] = static_cast<std::uint8_t>(label.size());
    std::copy(label.begin(), label.end(), page.begin() + 776);
    page[CurrentProfileOffset] = static_cast<std::uint8_t>(index);
    return page;
}

void SwitchOnFivePages(SystemProfile& profile) {
    if (profile.HasFivePages) {
        return;
    }
    auto bytes = profile.ToBytes();
    const std::vector<std::uint8_t> page = FifthPageTemplate(profile.CurrentProfile);
    std::copy_n(page.begin(), SystemProfile::FifthPageBytes,
                bytes.begin() + SystemProfile::FirstPageBytes);
    profile = SystemProfile::FromBytes(bytes);
    profile.HasFivePages = true;
    profile.BetaPort = DefaultBetaPort(profile.ReaderType).value_or(profile.BetaPort);
}

} // namespace gw
