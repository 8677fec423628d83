#pragma once

namespace gw {

// Two byte factors whose product comes as close as possible to a value (the reader takes the
// afterglow interval as m x q milliseconds).
struct ByteFactors {
    int m = 0;
    int q = 0;

    bool operator==(const ByteFactors&) const = default;
};

// Values below 256 give m = 1; values above 65025 (255 x 255) give 0 and 0.
ByteFactors SplitProduct(int value);

} // namespace gw
