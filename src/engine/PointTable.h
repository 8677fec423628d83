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

// The data points of the running operation, index 0 to 1019. At program start every point is
// valid, so the first operation finds nothing to query; finishers clear the table after writing.
class PointTable {
public:
    static constexpr int Size = 1020;
    static constexpr int LastIndex = Size - 1;

    PointTable() { MarkAllValid(); }

    // Every field zero, as after a finished record.
    void Clear() { points_.fill(DataPoint{}); }
    // Zero and valid, as at program start.
    void MarkAllValid();

    static bool Contains(int index) { return index >= 0 && index < Size; }
    DataPoint& operator[](int index) { return points_[static_cast<std::size_t>(index)]; }
    const DataPoint& operator[](int index) const {
        return points_[static_cast<std::size_t>(index)];
    }

private:
    std::array<DataPoint, Size> points_{};
};

} // namespace gw
