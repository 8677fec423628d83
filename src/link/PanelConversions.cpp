#include "link/PanelConversions.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace gw {

namespace {

constexpr double AtmosphereThreshold = 1500;

// One piece of the gauge's characteristic: for readings from `from` up, r = 1000 / reading.
struct VacuumPiece {
    int from;
    double offset;
    double slope;
    double base;
};

// Highest readings first; the pieces join continuously at their borders.
constexpr VacuumPiece VacuumPieces[] = {
    {142, 3.9215686275, 9.7772368421, 0},  {61, 7.0921985816, 8.2511111111, 31},
    {25, 16.666666667, 6.3354929577, 110}, {12, 40.816326531, 5.7433653846, 263},
    {5, 86.956521739, 6.3869230769, 528},
};

double roundHalfEven(double value) {
    return value - std::remainder(value, 1.0);
}

} // namespace

double VacuumMicroHg(int raw) {
    const int v = std::clamp(raw, 0, 255);
    for (const VacuumPiece& piece : VacuumPieces) {
        if (v >= piece.from) {
            return (1000.0 / v - piece.offset) * piece.slope + piece.base;
        }
    }
    return 2000;
}

VacuumReading VacuumDisplay(int raw) {
    const double vacuum = VacuumMicroHg(raw);
    if (vacuum <= AtmosphereThreshold) {
        return {vacuum, "uHg"};
    }
    return {1, "atm"};
}

double HighVoltage(int raw) {
    return roundHalfEven(-6.25 * raw);
}

double TemperatureError(int raw) {
    return (raw - 128) / 12.8;
}

std::string FormatFieldValue(double value, int decimals) {
    const int places = std::max(decimals, 0);
    const double scale = std::pow(10.0, places);
    double rounded = roundHalfEven(value * scale) / scale;
    if (rounded == 0) {
        rounded = 0; // no "-0"
    }
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", places, rounded);
    return text;
}

} // namespace gw
