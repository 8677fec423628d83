#include "engine/BackgroundSubtraction.h"

#include "engine/CurveSmoothing.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace gw {

namespace {

constexpr int TlType = 0;
constexpr int OslType = 2;
constexpr int ChannelWidthCount = 4;

int FloorDivide(int value, int divisor) {
    return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

// Channel widths of the four time bases: 0.01 s, 0.1 s, 1 s, 10 s.
double ChannelWidth(int base) {
    return 0.01 * std::pow(10.0, base);
}

// Slots 0 .. n of a curve, n clipped to the record.
int LastSlotWithin(int slot) {
    return std::clamp(slot, -1, BinaryRecord::LastSlotIndex);
}

SubtractionOutcome SubtractTl(const BinaryRecord& measurement, const BinaryRecord& reference,
                              SubtractionCurve& b, int filterNumber) {
    if (CurveType(reference.CurveCodeOf()) != TlType) {
        return {};
    }
    const int n = LastSlotWithin(std::min(measurement.LastSlotOf(), reference.LastSlotOf()));
    for (int k = 0; k <= n; ++k) {
        b[std::size_t(k)] = measurement.Slot(k) - reference.Slot(k);
    }
    const CurveFilter filter = FilterForPoints(filterNumber, n + 1);
    if (n >= 0) {
        SmoothCurve(std::span<double>(b.data(), std::size_t(n) + 1), filter);
    }
    b[0] = 1.0;
    b[1] = 0.0;
    b[2] = double(filter);
    return {true, 0, int(filter)};
}

// The mean count rate of a background OSL: its counts over its channels' total time.
double MeanRate(const BinaryRecord& reference) {
    double total = 0;
    for (int k = 1; k <= LastSlotWithin(reference.LastSlotOf()); ++k) {
        total += reference.Slot(k);
    }
    double seconds = 0;
    for (int i = 0; i < ChannelWidthCount; ++i) {
        seconds += reference.Byte(BinaryRecord::ChannelCounts + std::size_t(i)) * ChannelWidth(i);
    }
    return seconds > 0 ? total / seconds : 0.0;
}

SubtractionOutcome SubtractOsl(const BinaryRecord& measurement, const BinaryRecord& reference,
                               bool self, SubtractionCurve& b) {
    const double rate = self ? (measurement.Byte(BinaryRecord::BackgroundRate) * 256 +
                                measurement.Byte(BinaryRecord::BackgroundRate + 1)) *
                                   0.1
                             : MeanRate(reference);
    int k = 1;
    for (int i = 0; i < ChannelWidthCount; ++i) {
        const double width = ChannelWidth(i);
        const int channels = measurement.Byte(BinaryRecord::ChannelCounts + std::size_t(i));
        for (int c = 0; c < channels && k <= BinaryRecord::LastSlotIndex; ++c, ++k) {
            // Without a rate to subtract, the corrected curve is the measurement.
            b[std::size_t(k)] = measurement.Slot(k) - rate * width;
        }
    }
    b[0] = 1.0;
    return {true, self ? 1 : 0, 0};
}

} // namespace

int CurveType(int curveCode) {
    return FloorDivide(curveCode, 1000);
}

int CurveFamily(int curveCode) {
    return FloorDivide(curveCode, 100);
}

SubtractionOutcome SubtractBackground(const BinaryRecord& measurement,
                                      const BinaryRecord& reference, bool self,
                                      SubtractionCurve& corrected, int filterNumber) {
    if (CurveFamily(measurement.CurveCodeOf()) != CurveFamily(reference.CurveCodeOf())) {
        return {};
    }
    switch (CurveType(measurement.CurveCodeOf())) {
    case TlType:
        return SubtractTl(measurement, reference, corrected, filterNumber);
    case OslType:
        return SubtractOsl(measurement, reference, self, corrected);
    default:
        return {true, -1, 0}; // other curves are recorded as they are
    }
}

} // namespace gw
