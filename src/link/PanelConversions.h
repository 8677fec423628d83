#pragma once

#include <string>

namespace gw {

// Conversions of the reader's raw one-byte readings into the values the data panel shows.

// Vacuum in micrometres of mercury from the gauge reading (limited to 0 ... 255).
double VacuumMicroHg(int raw);
// The vacuum field's shown value and unit: micrometres up to 1500, else 1 atmosphere.
struct VacuumReading {
    double value = 0;
    const char* unit = "";
};
VacuumReading VacuumDisplay(int raw);
// Detector high voltage in volts, rounded to a whole number with halves to the even neighbour.
double HighVoltage(int raw);
// Temperature error in degrees C (128 is no error).
double TemperatureError(int raw);

// Rounds to the given number of decimals, halves to the even neighbour, and writes the number
// with that many decimals ("-0" never appears). Decimals below 1 give a whole number.
std::string FormatFieldValue(double value, int decimals);

} // namespace gw
