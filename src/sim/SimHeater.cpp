#include "sim/SimHeater.h"

#include <algorithm>
#include <cmath>

namespace gw {

namespace {

constexpr double kFollowTimeS = 0.4;      // the controller's lag behind its set point
constexpr double kCoolingTimeS = 40.0;    // free cooling towards the room
constexpr double kGasCoolingTimeS = 15.0; // with the cooling gas on

} // namespace

void SimHeater::step(double dtS) {
    if (dtS <= 0) {
        return;
    }
    const double coolTime = coolingGas_ ? kGasCoolingTimeS : kCoolingTimeS;
    const double cooled = kRoomC + (temperatureC_ - kRoomC) * std::exp(-dtS / coolTime);
    if (!enabled_ || setPointC_ <= temperatureC_) {
        // The heater cannot cool: the sample cools freely, but a live heater holds the set point.
        temperatureC_ = enabled_ ? std::max(cooled, std::min(setPointC_, temperatureC_)) : cooled;
        return;
    }
    const double approach = (setPointC_ - temperatureC_) * (1.0 - std::exp(-dtS / kFollowTimeS));
    temperatureC_ += std::min(approach, kMaxHeatingCPerS * dtS);
}

} // namespace gw
