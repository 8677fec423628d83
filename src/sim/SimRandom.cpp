#include "sim/SimRandom.h"

#include <cmath>

namespace gw {

std::uint32_t SimRandom::poisson(double mean) {
    if (!(mean > 0.0)) {
        return 0;
    }
    if (mean > 1e7) {
        // Far beyond the counters' range the normal approximation is exact enough.
        std::normal_distribution<double> normal(mean, std::sqrt(mean));
        return static_cast<std::uint32_t>(std::max(0.0, std::min(normal(engine_), 4e9)));
    }
    std::poisson_distribution<std::uint32_t> distribution(mean);
    return distribution(engine_);
}

bool SimRandom::chance(double share) {
    if (share <= 0.0) {
        return false;
    }
    if (share >= 1.0) {
        return true;
    }
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    return uniform(engine_) < share;
}

int SimRandom::between(int low, int high) {
    std::uniform_int_distribution<int> uniform(low, high);
    return uniform(engine_);
}

} // namespace gw
