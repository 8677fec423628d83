#include "engine/PointTable.h"

namespace gw {

void PointTable::MarkAllValid() {
    points_.fill(DataPoint{});
    for (DataPoint& point : points_) {
        point.Valid = 1;
    }
}

} // namespace gw
