#include "script/ChannelLayout.h"

#include <algorithm>
#include <cmath>

namespace gw {

namespace {

constexpr int MaxChannels = 99;
constexpr double Hundredth = 0.01;
// Comparisons of sums of channel widths with the periods allow for the binary fractions.
constexpr double Slack = 1e-9;

double ToHundredth(double seconds) {
    return std::nearbyint(seconds * 100.0) / 100.0;
}

// The end of the measurement: the periods' total, at least a hundredth past each boundary.
double MeasurementEnd(double luminescence, double bleach, double background) {
    const double total = luminescence + bleach + background;
    const double x1 = std::max(Hundredth, std::min(total - Hundredth, ToHundredth(luminescence)));
    const double x2 = std::max(x1, std::min(total - Hundredth, ToHundredth(luminescence + bleach)));
    const double x3 = std::max(x2 + Hundredth, std::min(total, ToHundredth(total)));
    return std::max(total, x3);
}

struct Counts {
    int c001 = 0;
    int c01 = 0;
    int c1 = 0;
    int c10 = 0;

    double Seconds() const { return 0.01 * c001 + 0.1 * c01 + c1 + 10.0 * c10; }
};

} // namespace

std::array<std::uint8_t, 4> ChannelLayout(double luminescence, double bleach, double background) {
    const double end = MeasurementEnd(luminescence, bleach, background);
    Counts counts;
    if (std::isfinite(end) && end > 81.0) {
        counts.c10 = std::min(MaxChannels, int(std::ceil((end - 81.0) / 9.0 - Slack)));
    }
    counts.c01 = MaxChannels - counts.c10;
    while (counts.Seconds() < end - Slack && counts.c01 > 0) {
        --counts.c01;
        ++counts.c1;
    }
    // Beyond 81 channels of 10 s the 1 s channels grow too.
    while (counts.Seconds() < end - Slack && counts.c1 > 0) {
        --counts.c1;
        ++counts.c10;
    }
    while (counts.Seconds() - end >= 0.099 - Slack && counts.c01 > 0) {
        --counts.c01;
    }
    return {std::uint8_t(counts.c001), std::uint8_t(counts.c01), std::uint8_t(counts.c1),
            std::uint8_t(counts.c10)};
}

} // namespace gw
