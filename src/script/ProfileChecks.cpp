#include "script/ProfileChecks.h"

#include "profile/DeviceSet.h"
#include "profile/SystemProfile.h"
#include "script/Device_type.h"

#include <algorithm>
#include <cmath>

namespace gw {

namespace {

constexpr double DaysPerYear = 365.242199;
constexpr int InternalBeta = 3;
constexpr int InternalAlpha = 6;
constexpr int InternalXray = 9;
constexpr int ExternalSources = 3; // sources 0, 1, 2

int ArrangementOf(const SystemProfile& profile, int source) {
    switch (source) {
    case InternalBeta:
        return profile.WhatBIrrad;
    case InternalAlpha:
        return profile.WhatAIrrad;
    case InternalXray:
        return profile.WhatGIrrad;
    default:
        return 0;
    }
}

} // namespace

long long DaysFromCivil(CivilDate date) {
    const int month = std::clamp(date.month, 1, 12);
    const int day = std::clamp(date.day, 1, 31);
    const int year = date.year - (month <= 2 ? 1 : 0);
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const long long yearOfEra = year - era * 400;
    const long long dayOfYear = (153LL * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

bool SourceInProfile(const SystemProfile& profile, int source) {
    if (source >= 0 && source < ExternalSources) {
        return true;
    }
    const bool internal =
        source == InternalBeta || source == InternalAlpha || source == InternalXray;
    return internal && ArrangementOf(profile, source) > 0;
}

bool PositionInProfile(const SystemProfile& profile, int source, int position) {
    const bool internal =
        source == InternalBeta || source == InternalAlpha || source == InternalXray;
    const int arrangement = ArrangementOf(profile, source);
    if (position == 0) {
        return (source >= 0 && source < ExternalSources) ||
               (internal && (arrangement == 1 || arrangement == 3));
    }
    if (position == 1 || position == 2) {
        return internal && (arrangement == 2 || arrangement == 4);
    }
    return false;
}

bool OslDeviceInProfile(const DeviceSet& set, int device) {
    if (device == 0) {
        return set.VisibleOSL || set.FilterWheel471 || set.ExternalShutter;
    }
    if (device >= 1 && device <= 7) {
        return set.FilterWheel471;
    }
    if (device == 8) {
        return set.IRLEDs3500 || set.IRLEDs471;
    }
    return true;
}

double IrradiatorRateOn(const Device_type& irradiator, CivilDate today) {
    if (irradiator.halfLife <= 0) {
        return irradiator.doseRate;
    }
    const double days =
        double(DaysFromCivil(today) - DaysFromCivil(irradiator.calibrationDate.Unpack(today)));
    return irradiator.doseRate * std::exp2(-days / (irradiator.halfLife * DaysPerYear));
}

} // namespace gw
