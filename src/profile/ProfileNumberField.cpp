#include "profile/ProfileNumberField.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>

namespace gw {

namespace {

constexpr double MaxInt16 = 32767;
constexpr double MaxRate = 1e9;

// Halves go to the even neighbour, as every rounding of the console.
double Near(double value) {
    return std::nearbyint(value);
}

template <typename T> T Rounded(double value) {
    return static_cast<T>(Near(value));
}

// Table rows: a field of the record read and written as a plain double.
#define GW_DOUBLE(field)                                                                           \
    [](const SystemProfile& p) { return p.field; }, [](SystemProfile& p, double v) { p.field = v; }
// An integer field of the record, stored as the nearest integer.
#define GW_INTEGER(field, type)                                                                    \
    [](const SystemProfile& p) { return double(p.field); },                                        \
        [](SystemProfile& p, double v) { p.field = Rounded<type>(v); }
// A one-decimal field of the main device set, stored as ten times the value.
#define GW_TENTHS(field)                                                                           \
    [](const SystemProfile& p) { return p.Devices.field / 10.0; },                                 \
        [](SystemProfile& p, double v) { p.Devices.field = Rounded<std::int16_t>(v * 10); }

const std::vector<ProfileNumberFieldInfo> Fields = {
    {ProfileNumber::LampOnTime, "Lamp stabilization time, s", 0, MaxInt16, 0,
     GW_INTEGER(LampOnTime, std::int16_t)},
    {ProfileNumber::LampOffTime, "Max time on when not used, s", 0, MaxInt16, 0,
     GW_INTEGER(LampOffTime, std::int16_t)},
    {ProfileNumber::MaxUncertainty, "Max relative uncertainty", 0, 1, 3, GW_DOUBLE(MaxUncertainty)},
    {ProfileNumber::NS, "Dead time, ns", 0, 1000000, 2, GW_DOUBLE(NS)},
    {ProfileNumber::NeutralFilterXmis, "Neutral density filter transmission", 0, 100, 1,
     GW_TENTHS(NeutralFilterXmis)},
    {ProfileNumber::DevicePower, "Device power, % max", 0, 100, 1, GW_TENTHS(DevicePower)},
    {ProfileNumber::TB10, "Time base x 10 ms", 0, 255, 0, GW_INTEGER(Devices.TB10, std::uint8_t)},
    {ProfileNumber::TB100, "Time base x 100 ms", 0, 255, 0,
     GW_INTEGER(Devices.TB100, std::uint8_t)},
    {ProfileNumber::TB1000, "Time base x 1 s", 0, 255, 0, GW_INTEGER(Devices.TB1000, std::uint8_t)},
    {ProfileNumber::TB10000, "Time base x 10 s", 0, 255, 0,
     GW_INTEGER(Devices.TB10000, std::uint8_t)},
    {ProfileNumber::SampleTemp, "Sample temperature, deg C", 0, 500, 0,
     GW_INTEGER(Devices.SampleTemp, std::uint16_t)},
    {ProfileNumber::BetaHalfLife, "Beta half-life, y", 0, MaxRate, 3, GW_DOUBLE(BetaHalfLife)},
    {ProfileNumber::AlphaHalfLife, "Alpha half-life, y", 0, MaxRate, 3, GW_DOUBLE(AlphaHalfLife)},
    {ProfileNumber::GammaHalfLife, "Gamma half-life, y", 0, MaxRate, 3, GW_DOUBLE(GammaHalfLife)},
    {ProfileNumber::BetaDoseRate, "External beta irradiator dose rate", 0, MaxRate, 5,
     GW_DOUBLE(BetaDoseRate)},
    {ProfileNumber::AlphaDoseRate, "External alpha irradiator dose rate", 0, MaxRate, 5,
     GW_DOUBLE(AlphaDoseRate)},
    {ProfileNumber::GammaDoseRate, "External gamma irradiator dose rate", 0, MaxRate, 5,
     GW_DOUBLE(GammaDoseRate)},
    {ProfileNumber::BetaDoseRateTop, "Internal beta dose rate, top position", 0, MaxRate, 5,
     GW_DOUBLE(BetaDoseRateTop)},
    {ProfileNumber::BetaDoseRateHigh, "Internal beta dose rate, high position", 0, MaxRate, 5,
     GW_DOUBLE(BetaDoseRateHigh)},
    {ProfileNumber::BetaDoseRateLow, "Internal beta dose rate, low position", 0, MaxRate, 5,
     GW_DOUBLE(BetaDoseRateLow)},
    {ProfileNumber::AlphaDoseRateTop, "Internal alpha dose rate, top position", 0, MaxRate, 5,
     GW_DOUBLE(AlphaDoseRateTop)},
    {ProfileNumber::AlphaDoseRateHigh, "Internal alpha dose rate, high position", 0, MaxRate, 5,
     GW_DOUBLE(AlphaDoseRateHigh)},
    {ProfileNumber::AlphaDoseRateLow, "Internal alpha dose rate, low position", 0, MaxRate, 5,
     GW_DOUBLE(AlphaDoseRateLow)},
    {ProfileNumber::GammaDoseRateTop, "Internal X-ray dose rate, top position", 0, MaxRate, 5,
     GW_DOUBLE(GammaDoseRateTop)},
    {ProfileNumber::GammaDoseRateHigh, "Internal X-ray dose rate, high position", 0, MaxRate, 5,
     GW_DOUBLE(GammaDoseRateHigh)},
    {ProfileNumber::GammaDoseRateLow, "Internal X-ray dose rate, low position", 0, MaxRate, 5,
     GW_DOUBLE(GammaDoseRateLow)},
    {ProfileNumber::XTubeCurrTop, "X-ray tube current, top position, mA", 0, 1000, 3,
     GW_DOUBLE(XTubeCurrTop)},
    {ProfileNumber::XTubeCurrHigh, "X-ray tube current, high position, mA", 0, 1000, 3,
     GW_DOUBLE(XTubeCurrHigh)},
    {ProfileNumber::XTubeCurrLow, "X-ray tube current, low position, mA", 0, 1000, 3,
     GW_DOUBLE(XTubeCurrLow)},
    {ProfileNumber::BetaPort, "Beta irradiator port offset", 0, 100, 0,
     GW_INTEGER(BetaPort, std::int16_t)},
    {ProfileNumber::AlphaPort, "Alpha irradiator port offset", 0, 100, 0,
     GW_INTEGER(AlphaPort, std::int16_t)},
    {ProfileNumber::GammaPort, "X-ray irradiator port offset", 0, 100, 0,
     GW_INTEGER(GammaPort, std::int16_t)},
};

#undef GW_DOUBLE
#undef GW_INTEGER
#undef GW_TENTHS

} // namespace

const std::vector<ProfileNumberFieldInfo>& ProfileNumberFields() {
    return Fields;
}

const ProfileNumberFieldInfo& NumberFieldOf(ProfileNumber id) {
    return Fields[static_cast<std::size_t>(id)];
}

double ShownNumber(const SystemProfile& profile, ProfileNumber id) {
    return NumberFieldOf(id).shown(profile);
}

std::string FormatNumber(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

std::string StoreNumber(SystemProfile& profile, ProfileNumber id, double value) {
    const ProfileNumberFieldInfo& info = NumberFieldOf(id);
    // The value is judged as it would be stored: rounded to the field's decimals.
    const double scale = std::pow(10.0, info.decimals);
    const double stored = std::isfinite(value) ? Near(value * scale) / scale : value;
    if (!std::isfinite(stored) || stored < info.minimum || stored > info.maximum) {
        return "\"" + std::string(info.caption) + "\" takes values from " +
               FormatNumber(info.minimum, info.decimals) + " to " +
               FormatNumber(info.maximum, info.decimals) + "; " +
               FormatNumber(value, info.decimals) + " cannot be stored. The value " +
               FormatNumber(info.shown(profile), info.decimals) + " is kept.";
    }
    info.store(profile, stored);
    return {};
}

std::optional<double> ParseNumberText(const std::string& text) {
    std::string t;
    for (char c : text) {
        if (c != ' ') {
            t += c == ',' ? '.' : c;
        }
    }
    double value = 0;
    const auto [end, code] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (t.empty() || code != std::errc() || end != t.data() + t.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::string ConversionErrorText(const std::string& text, bool integer) {
    return "'" + text + "' is not a valid " + (integer ? "integer" : "floating point") + " value";
}

} // namespace gw
