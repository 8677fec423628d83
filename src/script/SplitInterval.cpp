#include "script/SplitInterval.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace gw {

namespace {

constexpr long long LargestFactor = 255;
constexpr long long LargestWidth = LargestFactor * LargestFactor;

long long Near(double value) {
    return static_cast<long long>(std::nearbyint(value));
}

} // namespace

IntervalSplit SplitInterval(long long t) {
    if (t < 256) {
        return {1, int(t)};
    }
    if (t > LargestWidth) {
        return {0, 0};
    }
    const double width = double(t);
    const long long b = std::min(Near(std::sqrt(width) + 0.5), LargestFactor);
    // t / 255 + 0.5 rounded to even gives 256 for 65025 itself; the multiplier stops at 255.
    const long long c = std::min(Near(width / 255.0 + 0.5), LargestFactor);
    if (b < c) {
        return {0, 0};
    }
    long long bestX = c;
    long long bestError = -1;
    for (long long x = c; x <= b; ++x) {
        const long long error = std::llabs(t - x * Near(width / double(x)));
        if (error == 0) {
            bestX = x;
            break;
        }
        if (bestError < 0 || error < bestError) {
            bestError = error;
            bestX = x;
        }
    }
    return {int(bestX), int(Near(width / double(bestX)))};
}

} // namespace gw
