#include "engine/DataFileCurve.h"

#include "core/TrimBlanks.h"

#include <algorithm>

namespace gw {

namespace {

std::string LabelOf(const DataFileRecord& record, int channel) {
    std::string label = "#" + std::to_string(record.index);
    if (const std::string* disk = record.find("Disk")) {
        label += " disk " + std::string(TrimBlanks(*disk));
    }
    if (const std::string* hole = record.find("Hole")) {
        label += " hole " + std::string(TrimBlanks(*hole));
    }
    if (record.channels > 1) {
        label += " ch" + std::to_string(channel + 1);
    }
    return label;
}

// The divisor of a curve, or 0 when there is none to divide by.
double DivisorOf(const DataFileCurve& curve, CurveNormalisation normalisation) {
    if (curve.points.empty()) {
        return 0.0;
    }
    if (normalisation == CurveNormalisation::FirstPoint) {
        return curve.points.front().second;
    }
    return std::max_element(curve.points.begin(), curve.points.end(),
                            [](const auto& a, const auto& b) { return a.second < b.second; })
        ->second;
}

void Normalise(DataFileCurve& curve, CurveNormalisation normalisation) {
    if (normalisation == CurveNormalisation::None) {
        return;
    }
    const double divisor = DivisorOf(curve, normalisation);
    if (divisor <= 0.0) {
        curve.note = normalisation == CurveNormalisation::FirstPoint
                         ? "not normalised: its first point is not above 0"
                         : "not normalised: no count above 0";
        return;
    }
    for (auto& point : curve.points) {
        point.second /= divisor;
    }
}

} // namespace

std::vector<DataFileCurve> DataFileCurvesOf(const DataFileRecord& record,
                                            CurveNormalisation normalisation, bool logCounts) {
    std::vector<DataFileCurve> curves;
    for (int channel = 0; channel < record.channels; ++channel) {
        DataFileCurve curve;
        curve.record = record.index;
        curve.channel = channel;
        curve.tl = record.isTl();
        curve.label = LabelOf(record, channel);
        for (const DataFilePoint& point : record.points) {
            if (point.valid && !point.hasAfterglow) {
                curve.points.emplace_back(point.x, point.values[static_cast<std::size_t>(channel)]);
            }
        }
        Normalise(curve, normalisation);
        if (logCounts) {
            std::erase_if(curve.points, [](const auto& p) { return p.second <= 0.0; });
        }
        curves.push_back(std::move(curve));
    }
    return curves;
}

} // namespace gw
