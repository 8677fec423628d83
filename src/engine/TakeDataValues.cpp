#include "engine/TakeDataValues.h"

#include <algorithm>
#include <cstddef>

namespace gw {

namespace {

template <std::size_t Count> int CodeOf(const std::array<int, Count>& codes, int item) {
    return codes[std::size_t(std::clamp(item, 0, int(Count) - 1))];
}

} // namespace

int OslSheetValues::device() const {
    return CodeOf(DeviceCodes, DeviceItem);
}

int OslSheetValues::totalPoints() const {
    int total = 0;
    for (const TimeBaseSegment& segment : Segments) {
        total += segment.points;
    }
    return total;
}

double OslSheetValues::segmentSeconds(int segment) const {
    const TimeBaseSegment& s = Segments[std::size_t(std::clamp(segment, 0, 3))];
    return double(s.x) * s.y * s.points * 0.001;
}

double OslSheetValues::totalSeconds() const {
    double total = 0.0;
    for (int segment = 0; segment < 4; ++segment) {
        total += segmentSeconds(segment);
    }
    return total;
}

int MoslSheetValues::device() const {
    return CodeOf(DeviceCodes, DeviceItem);
}

int TlSheetValues::osDevice() const {
    return CodeOf(OsDeviceCodes, OsDeviceItem);
}

} // namespace gw
