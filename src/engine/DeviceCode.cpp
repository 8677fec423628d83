#include "engine/DeviceCode.h"

namespace gw {

bool IsExternalLamp(int device) {
    return device >= DeviceCode::ExternalLampFirst && device <= DeviceCode::ExternalLampLast;
}

std::string DeviceFileName(int device) {
    if (device == DeviceCode::NoStimulation) {
        return "TL";
    }
    if (IsExternalLamp(device)) {
        return "ext. lamp";
    }
    if (device >= DeviceCode::OslMainChannel && device <= DeviceCode::OslLastChannel) {
        return "OSL";
    }
    switch (device) {
    case DeviceCode::Infrared:
        return "IRSL";
    case DeviceCode::RampedOsl:
        return "MOSL";
    case DeviceCode::RampedInfrared:
        return "MIRSL";
    default:
        return {};
    }
}

} // namespace gw
