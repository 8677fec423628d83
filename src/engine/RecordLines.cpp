#include "engine/RecordLines.h"

#include "engine/DeviceCode.h"

#include <algorithm>

namespace gw {

namespace {

std::string DeviceWord(int device, bool externalLamp, const char* unknown) {
    if (!externalLamp && IsExternalLamp(device)) {
        return unknown;
    }
    const std::string word = DeviceFileName(device);
    return word.empty() ? unknown : word;
}

// The info text split into lines; a final line break makes no empty line.
std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            line += c;
        }
    }
    if (!line.empty()) {
        lines.push_back(line);
    }
    return lines;
}

} // namespace

std::string ScriptTypeWord(const TDataType& op) {
    std::string word;
    if (op.Kind == OperationKind::Irradiation) {
        word = "Irrad";
    } else {
        word = DeviceWord(op.Device, true, "unknown");
        if (op.isTreatment()) {
            word = (op.Kind == OperationKind::TL ? "PREHEAT " : "BLEACH ") + word;
        }
    }
    if (op.isNormalization()) {
        word = "NORM " + word;
    }
    if (op.isBackground()) {
        word = "BGD " + word;
    }
    return word;
}

std::string DialogTlTypeWord(int device) {
    return DeviceWord(device, false, "unknown");
}

std::string DialogOslTypeWord(int device) {
    return DeviceWord(device, true, "uknown");
}

RecordLines TitleLines(const std::string& infoText) {
    const std::vector<std::string> text = SplitLines(infoText);
    RecordLines lines{"Title=" + (text.empty() ? std::string() : text.front())};
    for (std::size_t i = 1; i < text.size(); ++i) {
        lines.push_back("Info=" + text[i]);
    }
    return lines;
}

RecordLines TimeLines(const TDataType& op, const DataFileFormat& format) {
    return {"Started=" + format.dateTime(op.Started), "Stopped=" + format.dateTime(op.Stopped)};
}

RecordLines PointLines(const TDataType& op, const PointTable& points,
                       const PointLineOptions& options, const DataFileFormat& format) {
    RecordLines lines{"Points=" + std::to_string(op.Points)};
    const int shift = options.compatibility && IsOslKind(op.Kind) ? 1 : 0;
    const int channels = std::clamp(options.channels, 1, 4);
    const int firstAfterglow = op.Points - std::max(options.afterglowPoints, 0);
    for (int i = 0; i < op.Points; ++i) {
        const int p = i + shift;
        // A point beyond the table was never measured.
        const DataPoint point = PointTable::Contains(p) ? points[p] : DataPoint{};
        char index[16];
        std::snprintf(index, sizeof index, "%3d", i);
        std::string line = std::string(index) + "; " + format.fixed(point.X, 8, 3) + "; ";
        for (int channel = 0; channel < channels; ++channel) {
            line += format.fixed(point.Values[std::size_t(channel)], 8, 3) + "; ";
        }
        if (i >= firstAfterglow) {
            line += format.fixed(point.Values[1], 8, 0) + "; ";
        }
        line += point.Valid != 0 ? " valid" : " invalid";
        lines.push_back(std::move(line));
    }
    return lines;
}

RecordLines PreheatLines(const TDataType& op) {
    if ((op.PreheatType != 'S' && op.PreheatType != 'W') || op.PreheatTemp <= 0) {
        return {};
    }
    return {std::string("PreheatType=") + (op.PreheatType == 'S' ? "Stage " : "Wash ") + "preheat",
            "PreheatTemp=" + std::to_string(op.PreheatTemp),
            "PreheatTime=" + std::to_string(op.PreheatTime)};
}

RecordLines RampLines(const TDataType& op, const DataFileFormat& format) {
    const long long product = (long long)op.XFactor * op.YFactor;
    return {"MaxPower=" + format.fixed(op.Power, 0, 2),
            "Increment=" + std::to_string(op.PowerIncrement),
            "TimeOfPoint=" +
                (product < 1 ? std::string("variable") : format.fixed(product * 0.001, 9, 3))};
}

} // namespace gw
