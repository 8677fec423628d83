#pragma once

#include <string>

namespace gw {

class Prompter;
struct DeviceSet;

// The warnings of the profile checks of script commands, shown through the warning dialog with
// Abort, Ignore and "Ignore all" unless all are ignored already. ignoreAll belongs to the caller.
class ProfileWarnings {
public:
    ProfileWarnings(Prompter& prompter, bool& ignoreAll)
        : prompter_(prompter), ignoreAll_(ignoreAll) {}

    // A failed check: false when the operator aborts. ignored, when given, is set on Ignore.
    bool Warn(const std::string& message, bool* ignored = nullptr);
    // The OSL device check; for a ramp, an ignored first warning is followed by a second.
    bool CheckOslDevice(const DeviceSet& devices, int device, bool forRamp);

private:
    Prompter& prompter_;
    bool& ignoreAll_;
};

} // namespace gw
