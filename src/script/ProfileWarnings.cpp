#include "script/ProfileWarnings.h"

#include "core/Prompter.h"
#include "script/ProfileChecks.h"

namespace gw {

bool ProfileWarnings::Warn(const std::string& message, bool* ignored) {
    if (ignoreAll_) {
        return true;
    }
    switch (prompter_.warn(message, true, true)) {
    case WarningResult::Ignore:
        if (ignored != nullptr) {
            *ignored = true;
        }
        return true;
    case WarningResult::IgnoreAll:
        ignoreAll_ = true;
        return true;
    default:
        return false;
    }
}

bool ProfileWarnings::CheckOslDevice(const DeviceSet& devices, int device, bool forRamp) {
    if (OslDeviceInProfile(devices, device)) {
        return true;
    }
    const std::string number = std::to_string(device);
    bool ignored = false;
    if (!Warn("OSL/IRSL device " + number + " not in current profile!", &ignored)) {
        return false;
    }
    if (forRamp && ignored) {
        return Warn("OSL/IRSL device " + number + " not capable of MOSL!");
    }
    return true;
}

} // namespace gw
