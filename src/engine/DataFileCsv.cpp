#include "engine/DataFileCsv.h"

#include <algorithm>
#include <charconv>

namespace gw {

namespace {

std::string ColumnsOf(const DataFileRecord& record) {
    const std::string name = "record " + std::to_string(record.index);
    std::string text = "," + name + (record.isTl() ? " temperature" : " time");
    for (int channel = 1; channel <= record.channels; ++channel) {
        text += "," + name + " channel " + std::to_string(channel);
    }
    if (record.afterglowPoints() > 0) {
        text += "," + name + " afterglow temperature";
    }
    return text;
}

std::string CellsOf(const DataFileRecord& record, std::size_t i) {
    const bool afterglow = record.afterglowPoints() > 0;
    const std::size_t cells = 1 + static_cast<std::size_t>(record.channels) + (afterglow ? 1 : 0);
    if (i >= record.points.size()) {
        return std::string(cells, ',');
    }
    const DataFilePoint& point = record.points[i];
    std::string text = "," + DataFileCsvNumber(point.x);
    for (int channel = 0; channel < record.channels; ++channel) {
        text += ",";
        if (point.valid) {
            text += DataFileCsvNumber(point.values[static_cast<std::size_t>(channel)]);
        }
    }
    if (afterglow) {
        text += "," + (point.hasAfterglow ? DataFileCsvNumber(point.afterglow) : std::string());
    }
    return text;
}

} // namespace

std::string DataFileCsvNumber(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return result.ec == std::errc() ? std::string(buffer, result.ptr) : std::string();
}

std::string DataFileCsv(std::span<const DataFileRecord> records) {
    std::string text = "point";
    std::size_t rows = 0;
    for (const DataFileRecord& record : records) {
        text += ColumnsOf(record);
        rows = std::max(rows, record.points.size());
    }
    text += "\r\n";
    for (std::size_t i = 0; i < rows; ++i) {
        text += std::to_string(i);
        for (const DataFileRecord& record : records) {
            text += CellsOf(record, i);
        }
        text += "\r\n";
    }
    return text;
}

} // namespace gw
