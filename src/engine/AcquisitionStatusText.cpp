#include "engine/AcquisitionStatusText.h"

#include "engine/WatchChecks.h"

namespace gw {

namespace {

std::string Irradiating(int timer) {
    return "irradiating " + std::to_string(timer) + " s";
}

std::string ReaderActivity(const std::array<std::uint8_t, 32>& flags, int timer) {
    if (flags[BusyFlag] != 0) {
        return "busy";
    }
    if (flags[CalibrationFlag] != 0) {
        return "calibrating";
    }
    if (flags[IrradiatingFlag] != 0) {
        return Irradiating(timer);
    }
    return "idle";
}

} // namespace

std::string AcquisitionStatusText(const TDataType& operation, const AcquisitionState& acquisition,
                                  const std::array<std::uint8_t, 32>& flags, int timer) {
    std::string text;
    const bool acquiring =
        acquisition.TakingData || acquisition.Irradiating || acquisition.Querying;
    if (!acquiring && acquisition.LastState == 0) {
        text = ReaderActivity(flags, timer);
    }
    if (acquisition.TakingData) {
        text = "taking " + std::string(MeasurementKindName(operation.Kind)) + " data";
    }
    if (acquisition.Irradiating) {
        text = Irradiating(timer);
    }
    if (acquisition.Querying) {
        text = "querying data";
    }
    if (acquisition.LampStabilizing) {
        text = "stabilizing halogen lamp";
    }
    return text;
}

} // namespace gw
