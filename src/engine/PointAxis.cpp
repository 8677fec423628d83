#include "engine/PointAxis.h"

#include <algorithm>

namespace gw {

namespace {

void SetX(PointTable& points, int index, double x) {
    if (PointTable::Contains(index)) {
        points[index].X = x;
    }
}

// The 0-based segment of point p (1 based) of a four-segment time base.
std::size_t SegmentOf(const TDataType& operation, int p) {
    int end = 0;
    for (std::size_t segment = 0; segment + 1 < operation.N.size(); ++segment) {
        end += operation.N[segment];
        if (p <= end) {
            return segment;
        }
    }
    return operation.N.size() - 1;
}

void TlAxis(const TDataType& operation, PointTable& points) {
    for (int i = 0; i < operation.Points; ++i) {
        SetX(points, i, double(i + 1) * operation.Increment);
    }
}

void TimeBaseAxis(const TDataType& operation, int shift, PointTable& points) {
    double seconds = 0.0;
    for (int p = 1; p <= operation.Points; ++p) {
        const std::size_t segment = SegmentOf(operation, p);
        seconds += double(operation.X[segment]) * operation.Y[segment] * 0.001;
        SetX(points, p - 1 + shift, seconds);
    }
}

} // namespace

int PointShift(const TDataType& operation, bool compatibility) {
    return compatibility && IsOslKind(operation.Kind) ? 1 : 0;
}

void PreparePointAxis(const TDataType& operation, bool compatibility, PointTable& points) {
    const int shift = PointShift(operation, compatibility);
    if (shift == 1) {
        points[0].X = 0.0;
    }
    switch (operation.Kind) {
    case OperationKind::TL:
        TlAxis(operation, points);
        break;
    case OperationKind::OSL:
    case OperationKind::LMOSL:
    case OperationKind::VMOSL:
        TimeBaseAxis(operation, shift, points);
        break;
    default:
        break;
    }
}

void PrepareRampAxis(const TDataType& operation, bool compatibility, PointTable& points) {
    const int shift = PointShift(operation, compatibility);
    if (shift == 1) {
        points[0].X = 0.0;
    }
    const double pointSeconds = double(operation.XFactor) * operation.YFactor * 0.001;
    for (int i = 0; i < operation.Points; ++i) {
        SetX(points, i + shift, (i + 1) * pointSeconds);
    }
}

} // namespace gw
