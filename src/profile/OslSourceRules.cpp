#include "profile/OslSourceRules.h"

#include <initializer_list>

namespace gw {

namespace {

// DeviceSet or const DeviceSet.
template <typename Set> auto& flagOf(Set& set, OslSource source) {
    switch (source) {
    case OslSource::VisibleOSL:
        return set.VisibleOSL;
    case OslSource::FilterWheel471:
        return set.FilterWheel471;
    case OslSource::IRLEDs3500:
        return set.IRLEDs3500;
    case OslSource::ExternalShutter:
        return set.ExternalShutter;
    case OslSource::IRLEDs471:
        break;
    }
    return set.IRLEDs471;
}

void setEverywhere(SystemProfile& profile, OslSource source, bool on) {
    for (DeviceSet* set : {&profile.Devices, &profile.SaaDevices, &profile.SarDevices}) {
        flagOf(*set, source) = on;
    }
}

void clearEverywhere(SystemProfile& profile, std::initializer_list<OslSource> sources) {
    for (OslSource source : sources) {
        setEverywhere(profile, source, false);
    }
}

} // namespace

bool OslSourceValue(const SystemProfile& profile, OslSource source) {
    return flagOf(profile.Devices, source);
}

bool OslSourceEditable(const SystemProfile& profile, OslSource source) {
    const bool belongsToVisible =
        source == OslSource::FilterWheel471 || source == OslSource::IRLEDs471;
    return !belongsToVisible || profile.Devices.VisibleOSL;
}

bool SetOslSource(SystemProfile& profile, OslSource source, bool on) {
    if (!OslSourceEditable(profile, source)) {
        return false;
    }
    setEverywhere(profile, source, on);
    switch (source) {
    case OslSource::VisibleOSL:
        if (on) {
            clearEverywhere(profile, {OslSource::IRLEDs3500, OslSource::ExternalShutter});
        } else {
            clearEverywhere(profile, {OslSource::IRLEDs471, OslSource::FilterWheel471});
        }
        break;
    case OslSource::IRLEDs3500:
        if (on) {
            clearEverywhere(profile, {OslSource::VisibleOSL, OslSource::IRLEDs471,
                                      OslSource::FilterWheel471, OslSource::ExternalShutter});
        }
        break;
    case OslSource::ExternalShutter:
        if (on) {
            clearEverywhere(profile, {OslSource::VisibleOSL, OslSource::IRLEDs471,
                                      OslSource::FilterWheel471, OslSource::IRLEDs3500});
        }
        break;
    case OslSource::FilterWheel471:
    case OslSource::IRLEDs471:
        break;
    }
    return true;
}

} // namespace gw
