#pragma once

#include <string>
#include <utility>
#include <vector>

namespace gw {

// The curve of the live graph as the operator exports it: one row per point, the abscissa and
// every channel's rate, comma-separated with "." as decimal point, so that any spreadsheet or
// script reads it whatever the locale.
struct CurveData {
    std::string xTitle; // UTF-8
    std::vector<std::vector<std::pair<double, double>>> channels;
};

std::string CurveCsv(const CurveData& curve);

} // namespace gw
