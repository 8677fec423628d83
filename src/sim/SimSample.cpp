#include "sim/SimSample.h"

#include <cmath>

namespace gw {

namespace {

constexpr double kBoltzmannEvPerK = 8.617333e-5;
constexpr double kZeroCelsiusK = 273.15;

SimTrap makeTrap(double energy, double frequency, double d0, double capacity, double visible,
                 double infrared) {
    SimTrap trap;
    trap.activationEnergyEv = energy;
    trap.frequencyFactorPerS = frequency;
    trap.saturationDoseGy = d0;
    trap.capacityPhotons = capacity;
    trap.visibleCrossSection = visible;
    trap.infraredCrossSection = infrared;
    return trap;
}

} // namespace

SimSample::SimSample()
    : traps_{makeTrap(0.95, 1e12, 150.0, 8e5, 0.0, 0.0),
             makeTrap(1.60, 1e13, 200.0, 6e5, 2.5, 0.15),
             makeTrap(1.75, 1e13, 300.0, 9e5, 0.25, 0.02)} {}

void SimSample::irradiate(double doseGy) {
    if (doseGy <= 0.0) {
        return;
    }
    doseGy_ += doseGy;
    for (SimTrap& trap : traps_) {
        const double fill = 1.0 - std::exp(-doseGy / trap.saturationDoseGy);
        trap.occupancy += (1.0 - trap.occupancy) * fill;
    }
}

double SimSample::release(double temperatureC, double visiblePower, double infraredPower,
                          double dtS) {
    const double kT = kBoltzmannEvPerK * (temperatureC + kZeroCelsiusK);
    double photons = 0.0;
    for (SimTrap& trap : traps_) {
        const double thermal = trap.frequencyFactorPerS * std::exp(-trap.activationEnergyEv / kT);
        const double optical =
            trap.visibleCrossSection * visiblePower + trap.infraredCrossSection * infraredPower;
        const double before = trap.occupancy;
        trap.occupancy *= std::exp(-(thermal + optical) * dtS);
        photons += (before - trap.occupancy) * trap.capacityPhotons;
    }
    return photons;
}

double SimSample::peakTemperatureC(const SimTrap& trap, double heatingRateCPerS) {
    // beta E / (k Tm^2) = s exp(-E / k Tm), solved by bisection.
    const double energy = trap.activationEnergyEv;
    auto balance = [&](double kelvin) {
        return std::log(heatingRateCPerS * energy / (kBoltzmannEvPerK * kelvin * kelvin)) -
               std::log(trap.frequencyFactorPerS) + energy / (kBoltzmannEvPerK * kelvin);
    };
    double low = 250.0;
    double high = 1500.0;
    for (int i = 0; i < 100; ++i) {
        const double middle = (low + high) / 2;
        (balance(middle) > 0 ? low : high) = middle;
    }
    return low - kZeroCelsiusK;
}

} // namespace gw
