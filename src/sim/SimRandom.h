#pragma once

#include <cstdint>
#include <random>

namespace gw {

// A seeded generator, so that a simulated run can be repeated exactly.
class SimRandom {
public:
    explicit SimRandom(std::uint64_t seed) : engine_(seed) {}

    // A Poisson-distributed count with the given mean.
    std::uint32_t poisson(double mean);

    // True with the given probability (0 ... 1).
    bool chance(double share);

    // A whole number in [low, high].
    int between(int low, int high);

private:
    std::mt19937_64 engine_;
};

} // namespace gw
