#include "profile/RoiTable.h"

#include "profile/ProfileNumberField.h"

#include <cmath>
#include <optional>

namespace gw {

namespace {

constexpr int FirstRoiRow = 3;
constexpr int FirstSarRoiRow = 2;
constexpr int TlStep = 5; // deg C per stored unit
constexpr int MaxByte = 255;
constexpr int MaxIntegral = 32765; // the largest multiple of 5 an int16 holds

// The integer in the cell; 0 for an empty one.
std::optional<long long> cellInteger(const std::string& text) {
    if (text.find_first_not_of(' ') == std::string::npos) {
        return 0;
    }
    const std::optional<double> value = ParseNumberText(text);
    if (!value || *value != std::floor(*value)) {
        return std::nullopt;
    }
    return static_cast<long long>(*value);
}

std::string rangeError(const char* what, int high, const std::string& text) {
    return std::string(what) + " takes values from 0 to " + std::to_string(high) + "; " + text +
           " cannot be stored.";
}

std::string pairText(const RoiPair& pair, int side, int unit) {
    if (pair[0] == 0 || pair[1] == 0) {
        return {};
    }
    return std::to_string(pair[side] * unit);
}

} // namespace

std::string RoiTable::CellText(const SystemProfile& p, int row, int column) {
    static const char* const heads[2][Columns] = {{"", "Low", "High", "Low", "High"},
                                                  {"", "deg C", "deg C", "channel", "channel"}};
    if (row < 2) {
        return heads[row][column];
    }
    if (row == 2) {
        static const char* const fixed[] = {"Integral", "", "", "n.a.", "n.a."};
        if (column == 1 || column == 2) {
            return std::to_string(column == 1 ? p.IntegralLow : p.IntegralHigh);
        }
        return fixed[column];
    }
    const int roi = row - FirstRoiRow;
    if (column == 0) {
        return "ROI#" + std::to_string(roi);
    }
    return column <= 2 ? pairText(p.Devices.TlRoi[roi], column - 1, TlStep)
                       : pairText(p.Devices.OslRoi[roi], column - 3, 1);
}

bool RoiTable::CellEditable(int row, int column) {
    if (row < 2 || row >= Rows || column < 1 || column >= Columns) {
        return false;
    }
    return row > 2 || column <= 2;
}

std::string RoiTable::EditCell(SystemProfile& p, int row, int column, const std::string& text) {
    if (!CellEditable(row, column)) {
        return {};
    }
    const std::optional<long long> value = cellInteger(text);
    if (!value) {
        return ConversionErrorText(text, true);
    }
    if (row == 2) {
        if (*value < 0 || *value > MaxIntegral) {
            return rangeError("The TL integral", MaxIntegral, text);
        }
        const auto rounded =
            static_cast<std::int16_t>(std::nearbyint(double(*value) / TlStep) * TlStep);
        (column == 1 ? p.IntegralLow : p.IntegralHigh) = rounded;
        return {};
    }
    const int roi = row - FirstRoiRow;
    if (column <= 2) {
        // Each stored unit is 5 deg C; the largest value a byte holds is 255 units.
        const long long highest = MaxByte * TlStep + TlStep - 1;
        if (*value < 0 || *value > highest) {
            return rangeError("A TL ROI limit", int(highest), text);
        }
        p.Devices.TlRoi[roi][column - 1] = static_cast<std::uint8_t>(*value / TlStep);
        return {};
    }
    if (*value < 0 || *value > MaxByte) {
        return rangeError("An OSL ROI limit", MaxByte, text);
    }
    p.Devices.OslRoi[roi][column - 3] = static_cast<std::uint8_t>(*value);
    return {};
}

std::string SarRoiTable::CellText(const SystemProfile& p, int row, int column) {
    static const char* const heads[2][Columns] = {{"", "Low", "High"}, {"", "channel", "channel"}};
    if (row < FirstSarRoiRow) {
        return heads[row][column];
    }
    const int roi = row - FirstSarRoiRow;
    if (column == 0) {
        return "ROI#" + std::to_string(roi);
    }
    return pairText(p.SarDevices.SaOslRoi[roi], column - 1, 1);
}

bool SarRoiTable::CellEditable(int row, int column) {
    return row >= FirstSarRoiRow && row < Rows && column >= 1 && column < Columns;
}

std::string SarRoiTable::EditCell(SystemProfile& p, int row, int column, const std::string& text) {
    if (!CellEditable(row, column)) {
        return {};
    }
    const std::optional<long long> value = cellInteger(text);
    if (!value) {
        return ConversionErrorText(text, true);
    }
    if (*value < 0 || *value > MaxByte) {
        return rangeError("An OSL ROI limit", MaxByte, text);
    }
    p.SarDevices.SaOslRoi[row - FirstSarRoiRow][column - 1] = static_cast<std::uint8_t>(*value);
    return {};
}

} // namespace gw
