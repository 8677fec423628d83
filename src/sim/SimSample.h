#pragma once

#include "sim/SimTrap.h"

#include <vector>

namespace gw {

// The luminescent sample on one disk of the platter: the dose it has received and its traps.
// Two thermally shallow to deep TL traps plus the optically sensitive ones give a glow curve of
// three first-order peaks (near 110, 320 and 375 degC at 5 degC/s); the two deeper traps give OSL
// as the sum of a fast and a medium exponential decay.
class SimSample {
public:
    SimSample();

    // Fills the traps with a dose (Gy), saturating.
    void irradiate(double doseGy);

    // Empties traps for dtS seconds at a temperature and light; returns the photons emitted.
    double release(double temperatureC, double visiblePower, double infraredPower, double dtS);

    double accumulatedDoseGy() const { return doseGy_; }
    const std::vector<SimTrap>& traps() const { return traps_; }

    // The temperature (degC) of the glow peak of a trap at a heating rate, first-order kinetics.
    static double peakTemperatureC(const SimTrap& trap, double heatingRateCPerS);

private:
    std::vector<SimTrap> traps_;
    double doseGy_ = 0.0;
};

} // namespace gw
