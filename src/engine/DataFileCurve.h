#pragma once

#include "engine/DataFileRecord.h"

#include <string>
#include <utility>
#include <vector>

namespace gw {

enum class CurveNormalisation {
    None,
    FirstPoint, // each curve divided by its first point, for comparing disks
    Maximum,    // each curve divided by its largest value
};

// One counter channel of a record, as the viewer plots it: a TL over temperature, the others
// over time. Points that never arrived ("invalid") and the afterglow points (over time, after a
// TL) are left out; on a logarithmic count axis so are counts of zero and below.
struct DataFileCurve {
    int record = 0;
    int channel = 0; // 0 based
    bool tl = false;
    std::string label; // "#3 disk 5", with " ch2" when the record has several channels
    std::string note;  // why a curve could not be normalised
    std::vector<std::pair<double, double>> points;
};

std::vector<DataFileCurve> DataFileCurvesOf(const DataFileRecord& record,
                                            CurveNormalisation normalisation, bool logCounts);

} // namespace gw
