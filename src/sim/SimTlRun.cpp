#include "sim/SimTlRun.h"

#include "sim/SimHeater.h"

#include <algorithm>

namespace gw {

SimTlRun::SimTlRun(const SimTlProgram& program, double nowMs, double temperatureC)
    : program_(program) {
    program_.incrementC = std::max(1, program_.incrementC);
    program_.rateCPerS = std::max(1, program_.rateCPerS);
    program_.endC = std::max(program_.incrementC, program_.endC);
    lastPoint_ = program_.endC / program_.incrementC - 1;
    if (program_.washC > 0) {
        enter(1, nowMs, temperatureC);
    } else if (program_.stageC > 0 && program_.stageC < program_.endC) {
        enter(4, nowMs, temperatureC);
    } else {
        enter(6, nowMs, temperatureC);
    }
}

double SimTlRun::coolTarget() const {
    // The sample never cools below the room; the program waits a little above it.
    return std::max<double>(program_.coolC, SimHeater::kRoomC + 2.0);
}

void SimTlRun::enter(int state, double nowMs, double temperatureC) {
    state_ = state;
    phaseStartMs_ = nowMs;
    pacedCount_ = 0;
    switch (state) {
    case 1:
        rampFromC_ = std::min<double>(temperatureC, program_.washC);
        break;
    case 4:
        rampZeroMs_ = nowMs;
        nextPoint_ = 0;
        break;
    case 6:
        if (nextPoint_ == 0) {
            rampZeroMs_ = nowMs;
        } else {
            // After the stage hold the ramp goes on from the stage temperature.
            rampZeroMs_ = nowMs - program_.stageC * rampMsPerDegree();
        }
        break;
    default:
        break;
    }
}

double SimTlRun::setPoint(double nowMs) const {
    const double elapsedS = (nowMs - phaseStartMs_) / 1000.0;
    switch (state_) {
    case 1:
        return std::min<double>(program_.washC, rampFromC_ + program_.rateCPerS * elapsedS);
    case 2:
        return program_.washC;
    case 4:
    case 6:
        return std::min<double>(state_ == 4 ? program_.stageC : program_.endC,
                                (nowMs - rampZeroMs_) / rampMsPerDegree());
    case 5:
        return program_.stageC;
    case 7:
        return program_.endC;
    default:
        return 0.0;
    }
}

double SimTlRun::nextPacedMs() const {
    const double stepMs = program_.incrementC * rampMsPerDegree();
    switch (state_) {
    case 1:
        return phaseStartMs_ + (pacedCount_ + 1) * stepMs;
    case 4:
    case 6:
        return rampZeroMs_ + (nextPoint_ + 1) * stepMs;
    default:
        return kNever;
    }
}

void SimTlRun::pacedReplySent() {
    if (state_ == 1) {
        ++pacedCount_;
    } else if (takesPoints()) {
        ++nextPoint_;
    }
}

double SimTlRun::phaseEndMs() const {
    switch (state_) {
    case 1:
        return phaseStartMs_ + (program_.washC - rampFromC_) * rampMsPerDegree();
    case 2:
        return phaseStartMs_ + program_.washS * 1000.0;
    case 5:
        return phaseStartMs_ + program_.stageS * 1000.0;
    case 7:
        return phaseStartMs_ + program_.holdS * 1000.0;
    default:
        return kNever;
    }
}

bool SimTlRun::update(double nowMs, double temperatureC) {
    const int before = state_;
    bool moved = true;
    while (moved && state_ != 0) {
        moved = false;
        const double stepMs = program_.incrementC * rampMsPerDegree();
        switch (state_) {
        case 1:
        case 2:
        case 5:
        case 7:
            if (nowMs >= phaseEndMs()) {
                const int next = state_ == 1 ? 2 : state_ == 2 ? 3 : state_ == 5 ? 6 : 8;
                enter(next, std::max(phaseEndMs(), phaseStartMs_), temperatureC);
                moved = true;
            }
            break;
        case 3:
        case 8:
            if (temperatureC <= coolTarget()) {
                enter(state_ == 3 ? 6 : 0, nowMs, temperatureC);
                moved = true;
            }
            break;
        case 4:
            // The stage is reached when the next point would lie above it.
            if ((nextPoint_ + 1) * program_.incrementC > program_.stageC &&
                nowMs >= rampZeroMs_ + program_.stageC * rampMsPerDegree()) {
                enter(5, nowMs, temperatureC);
                moved = true;
            }
            break;
        case 6:
            if (nextPoint_ > lastPoint_ && nowMs >= rampZeroMs_ + (lastPoint_ + 1) * stepMs) {
                enter(7, nowMs, temperatureC);
                moved = true;
            }
            break;
        default:
            break;
        }
    }
    return state_ != before;
}

} // namespace gw
