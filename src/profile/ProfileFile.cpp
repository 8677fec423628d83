#include "profile/ProfileFile.h"

namespace gw {

ProfileLoadResult LoadProfile(const std::string&, ProfileState&, ProfileContext&) {
    return {false, "not implemented yet", {}, 0, 0, 4};
}

bool SaveProfile(const std::string&, ProfileState&, ProfileContext&) {
    return false;
}

bool SelectCurrentProfile(const std::string&, int, ProfileContext&) {
    return false;
}

bool ConvertToFivePages(const std::string&, ProfileContext&) {
    return false;
}

ProfileActivation ActivateProfileFile(const std::string&, ProfileContext&) {
    ProfileActivation activation;
    activation.error = "not implemented yet";
    return activation;
}

bool CopyProfileFile(const std::string&, ProfileState&, ProfileContext&) {
    return false;
}

} // namespace gw
