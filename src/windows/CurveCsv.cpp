#include "windows/CurveCsv.h"

#include <algorithm>
#include <cstdio>

namespace gw {

namespace {

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}

// A title with a comma or a quote is quoted, the quote doubled.
std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + '"';
}

} // namespace

std::string CurveCsv(const CurveData& curve) {
    std::string csv = csvField(curve.xTitle.empty() ? "x" : curve.xTitle);
    std::size_t rows = 0;
    for (std::size_t k = 0; k < curve.channels.size(); ++k) {
        csv += ",channel " + std::to_string(k + 1);
        rows = std::max(rows, curve.channels[k].size());
    }
    csv += '\n';
    for (std::size_t i = 0; i < rows; ++i) {
        // The channels are drawn point by point together, so row i holds point i of each.
        std::string x;
        std::string values;
        for (const auto& channel : curve.channels) {
            values += ',';
            if (i < channel.size()) {
                if (x.empty()) {
                    x = number(channel[i].first);
                }
                values += number(channel[i].second);
            }
        }
        csv += x + values + '\n';
    }
    return csv;
}

} // namespace gw
