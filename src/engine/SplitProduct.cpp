#include "engine/SplitProduct.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace gw {

namespace {

constexpr int LargestProduct = 255 * 255;

// Nearest integer, halves to the even neighbour (the default rounding mode).
int RoundEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

} // namespace

ByteFactors SplitProduct(int value) {
    if (value < 256) {
        return {1, value};
    }
    if (value > LargestProduct) {
        return {0, 0};
    }
    // Both factors must fit a byte, 255 x 255 included.
    const int high = std::min(RoundEven(std::sqrt(double(value)) + 0.5), 255);
    const int low = std::min(RoundEven(value / 255.0 + 0.5), 255);
    int best = 0;
    int bestError = 255;
    for (int candidate = low; candidate <= high; ++candidate) {
        const int q = RoundEven(double(value) / candidate) & 0xFF;
        const int error = std::abs(value - candidate * q);
        if (error == 0) {
            best = candidate;
            break;
        }
        if (error < bestError) {
            best = candidate;
            bestError = error;
        }
    }
    return {best, best > 0 ? RoundEven(double(value) / best) : 0};
}

} // namespace gw
