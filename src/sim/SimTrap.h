#pragma once

namespace gw {

// One electron trap of a sample: first-order thermal release (Arrhenius), optical release by
// visible and infrared light, and a dose response that saturates exponentially.
struct SimTrap {
    double activationEnergyEv = 1.0;
    double frequencyFactorPerS = 1e12;
    double saturationDoseGy = 200.0;   // D0 of 1 - exp(-D / D0)
    double capacityPhotons = 1e6;      // photons counted when a saturated trap empties
    double visibleCrossSection = 0.0;  // release rate per second at full visible power
    double infraredCrossSection = 0.0; // release rate per second at full infrared power
    double occupancy = 0.0;            // filled share, 0 ... 1
};

} // namespace gw
