#pragma once

#include "profile/SystemProfile.h"

#include <string>

namespace gw {

// The process's profile state: one instance, owned by the profile subsystem's owner (the console),
// written only on the user-interface thread.
struct ProfileState {
    SystemProfile Profile;      // zero-filled until a profile is loaded
    std::string ProfilePath;    // full path of the profile file in use; empty until one is found
    bool ProfileLoaded = false; // set once a profile file has been found and activated
    int PagesPerProfile = 4;    // 4 or 5, as last determined from page 0
};

} // namespace gw
