#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace gw {

// One data point of the running operation.
struct DataPoint {
    double X = 0.0;                 // degrees C for a TL, seconds for the OSL kinds and afterglow
    std::array<double, 4> Values{}; // one per counter channel; afterglow: [1] is the sample's C
    int RetryCount = 0;             // how often the point has been queried
    std::uint8_t Valid = 0;         // 1 once the point's values have arrived

    bool operator==(const DataPoint&) const = default;
};

// The data points of the running operation. A curve has at most 1020 points; under the
// compatibility switch an OSL's points start at index 1, so the table holds index 0 to 1020. The
// table starts cleared, as every finisher leaves it after writing, so that a point the first
// operation of a session lost is queried like any other instead of being written as a valid zero.
class PointTable {
public:
    static constexpr int MaxCurvePoints = 1020;
    static constexpr int Size = MaxCurvePoints + 1;
    static constexpr int LastIndex = Size - 1;

    // Every field zero, as after a finished record.
    void Clear() { points_.fill(DataPoint{}); }

    static bool Contains(int index) { return index >= 0 && index < Size; }
    DataPoint& operator[](int index) { return points_[static_cast<std::size_t>(index)]; }
    const DataPoint& operator[](int index) const {
        return points_[static_cast<std::size_t>(index)];
    }

private:
    std::array<DataPoint, Size> points_{};
};

} // namespace gw
