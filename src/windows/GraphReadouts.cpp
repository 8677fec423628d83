#include "windows/GraphReadouts.h"

#include "core/SystemTypeNames.h"
#include "link/PanelConversions.h"

#include <string>

namespace gw {

namespace {

constexpr double AtmosphereThreshold = 1500;
constexpr double OslPercentPerUnit = 2.55;
const std::string Celsius = "\260C";

} // namespace

GraphReadouts GraphReadoutsFor(const ReaderState& state, int systemType) {
    GraphReadouts r;
    r.point = std::to_string(state.PointCounter);
    r.counts = std::to_string(state.Counts[0]);
    r.temperature = std::to_string(4 * state.Data[1]) + Celsius;
    r.temperatureError = FormatFieldValue(TemperatureError(state.Data[2]), 1) + Celsius;
    r.highVoltage = FormatFieldValue(HighVoltage(state.Data[7]), 0) + " V";
    const bool is6600 = systemType == System6600;
    r.oslShown = is6600;
    r.pressureShown = !is6600;
    if (is6600) {
        r.osl1 = FormatFieldValue(state.Data[4] / OslPercentPerUnit, 1);
        r.osl2 = FormatFieldValue(state.Data[0] / OslPercentPerUnit, 1);
    } else {
        const double vacuum = VacuumMicroHg(state.Data[3]);
        const bool atmosphere = vacuum > AtmosphereThreshold;
        r.pressure = atmosphere ? "1.0" : FormatFieldValue(vacuum, 1);
        r.pressureUnit = atmosphere ? "atm" : "umHg";
    }
    return r;
}

} // namespace gw
