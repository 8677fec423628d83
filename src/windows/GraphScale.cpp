#include "windows/GraphScale.h"

#include <algorithm>
#include <cmath>

namespace gw {

GraphScale::Decade GraphScale::decadeOf(double limit) {
    const double p = std::pow(10.0, std::trunc(std::log10(limit) + 0.1));
    return {p, limit / p};
}

double GraphScale::YUp(double limit) {
    if (!(limit > 0) || !std::isfinite(limit)) {
        return InitialYLimit;
    }
    const Decade d = decadeOf(limit);
    if (d.c < 2) {
        return 2 * d.p;
    }
    return d.c < 5 ? 5 * d.p : 10 * d.p;
}

double GraphScale::YDown(double limit) {
    if (!(limit > 0) || !std::isfinite(limit)) {
        return InitialYLimit;
    }
    const Decade d = decadeOf(limit);
    double next = 0.5 * d.p;
    if (d.c > 5) {
        next = 5 * d.p;
    } else if (d.c > 2) {
        next = 2 * d.p;
    } else if (d.c > 1) {
        next = d.p;
    }
    return std::max(next, LowestYLimit);
}

} // namespace gw
