#include "sim/SimPlatter.h"

namespace gw {

namespace {

constexpr double kTurnStartMs = 800.0;
constexpr double kTurnPerPositionMs = 120.0;
constexpr double kMoveBackMs = 700.0;

} // namespace

int SimPlatter::diskAt(int position) const {
    const int wrapped = ((position - 1) % positions_ + positions_) % positions_;
    return wrapped + 1;
}

bool SimPlatter::turnTo(int target, double nowMs) {
    if (target < 0 || target > positions_) {
        return false;
    }
    const int steps = ((diskAt(target) - position_) % positions_ + positions_) % positions_;
    target_ = target;
    turning_ = true;
    moving_ = true;
    busyUntilMs_ = nowMs + kTurnStartMs + kTurnPerPositionMs * steps;
    return true;
}

void SimPlatter::moveBack(double nowMs) {
    moving_ = true;
    turning_ = false;
    target_ = position_;
    busyUntilMs_ = nowMs + kMoveBackMs;
}

void SimPlatter::stop(double nowMs) {
    moving_ = false;
    turning_ = false;
    busyUntilMs_ = nowMs;
}

bool SimPlatter::update(double nowMs) {
    if (!moving_ || busy(nowMs)) {
        return false;
    }
    moving_ = false;
    turning_ = false;
    position_ = target_;
    return true;
}

} // namespace gw
