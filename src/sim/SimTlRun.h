#pragma once

#include <limits>

namespace gw {

// What "E", "W", "S", "D", "L" and "R" set before "G1" starts a TL.
struct SimTlProgram {
    int endC = 500;
    int holdS = 0;
    int washC = 0; // preheat, hold and cool before the glow curve (states 1, 2, 3)
    int washS = 0;
    int stageC = 0; // heating with data, hold, then on (states 4, 5)
    int stageS = 0;
    int incrementC = 1;
    int coolC = 50;
    int rateCPerS = 5;
};

// The reader's TL program, phase by phase, with its state codes: 1 preheating, 2 holding the
// preheat, 3 cooling after it, 4 heating with data to the stage, 5 holding the stage, 6 taking
// the glow curve, 7 holding at the end, 8 cooling, 0 done. Heating phases are paced by the ramp:
// one reply each time the ramp passes an increment; data point p is taken when the ramp passes
// (p + 1) x increment, counted from 0 degC.
class SimTlRun {
public:
    static constexpr double kNever = std::numeric_limits<double>::infinity();

    SimTlRun(const SimTlProgram& program, double nowMs, double temperatureC);

    int stateCode() const { return state_; }
    bool finished() const { return state_ == 0; }
    bool takesPoints() const { return state_ == 4 || state_ == 6; }

    // The heater set point the program asks for now (degC); 0 lets the sample cool.
    double setPoint(double nowMs) const;

    // The time of the next paced reply (ramp phases), or kNever when replies follow the interval.
    double nextPacedMs() const;
    // The data point that the next paced reply carries; valid while takesPoints().
    int nextPoint() const { return nextPoint_; }
    int lastPoint() const { return lastPoint_; }
    // A paced reply went out.
    void pacedReplySent();

    // Time at which the current phase ends by the clock (holds, ramps), kNever otherwise.
    double phaseEndMs() const;

    // Moves through the phases whose end has come; returns true when the state code changed.
    bool update(double nowMs, double temperatureC);

private:
    void enter(int state, double nowMs, double temperatureC);
    double rampMsPerDegree() const { return 1000.0 / program_.rateCPerS; }
    double coolTarget() const;

    SimTlProgram program_;
    int state_ = 0;
    double phaseStartMs_ = 0.0;
    double rampFromC_ = 0.0;  // ramp set point at phaseStartMs_
    double rampZeroMs_ = 0.0; // when the data ramp would have been at 0 degC
    int pacedCount_ = 0;      // paced replies sent in the preheat ramp
    int nextPoint_ = 0;
    int lastPoint_ = 0;
};

} // namespace gw
