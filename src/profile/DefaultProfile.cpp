#include "profile/DefaultProfile.h"

namespace gw {

SystemProfile DefaultProfile(std::int16_t readerType) {
    SystemProfile profile;
    profile.ReaderType = readerType;
    return profile;
}

} // namespace gw
