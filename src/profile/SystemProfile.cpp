#include "profile/SystemProfile.h"

namespace gw {

SystemProfile SystemProfile::FromBytes(const std::array<std::uint8_t, Size>& bytes) {
    SystemProfile profile;
    profile.RawBytes = bytes;
    return profile;
}

std::array<std::uint8_t, SystemProfile::Size> SystemProfile::ToBytes() const {
    return RawBytes;
}

} // namespace gw
