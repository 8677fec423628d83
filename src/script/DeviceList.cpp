#include "script/DeviceList.h"

#include "profile/IrradiationLetter.h"
#include "profile/SystemProfile.h"
#include "script/IrradiatorTable.h"

#include <array>
#include <utility>

namespace gw {

namespace {

// Table entries of the first position of each irradiator family.
constexpr int ExternalAlpha = 0;
constexpr int ExternalBeta = 1;
constexpr int ExternalGamma = 2;
constexpr int InternalBeta = 3;
constexpr int InternalAlpha = 6;
constexpr int InternalXray = 9;

// Isotope, unit, half-life and calibration date of one family (X-ray shares the gamma ones).
struct Family {
    const std::string& isotope;
    const std::string& unit;
    double halfLife;
    PackedDate calibrationDate;
};

Family GammaFamily(const SystemProfile& p) {
    return {p.GammaIsotope, p.GammaDoseRateUnit, p.GammaHalfLife, p.GammaCalibDate};
}
Family BetaFamily(const SystemProfile& p) {
    return {p.BetaIsotope, p.BetaDoseRateUnit, p.BetaHalfLife, p.BetaCalibDate};
}
Family AlphaFamily(const SystemProfile& p) {
    return {p.AlphaIsotope, p.AlphaDoseRateUnit, p.AlphaHalfLife, p.AlphaCalibDate};
}

bool SinglePosition(int arrangement) {
    return arrangement == 1 || arrangement == 3;
}
bool TwoPositions(int arrangement) {
    return arrangement == 2 || arrangement == 4;
}

} // namespace

std::string ReaderTypeName(int readerType) {
    switch (readerType) {
    case 1:
        return "3400";
    case 2:
        return "3500";
    case 3:
        return "3550";
    case 4:
        return "6600";
    default:
        return "Manual";
    }
}

DeviceList DeviceList::Build(const SystemProfile& profile) {
    DeviceList list;
    list.text_ = ReaderTypeName(profile.ReaderType);
    list.AddIrradiators(profile);
    list.AddHeaters();
    list.AddLightSources(profile);
    Device_type& lamp = list.Add("Bleaching", "Bleaching lamp", 0, -1);
    lamp.deviceText = "Bleaching lamp";
    lamp.rangeLow = 400;
    lamp.rangeHigh = 800;
    lamp.rangeUnit = "nm";
    return list;
}

Device_type& DeviceList::Add(std::string kind, std::string description, int arrangement,
                             int portOffset) {
    Device_type& device = devices_.emplace_back();
    device.kind = std::move(kind);
    device.description = std::move(description);
    device.arrangement = arrangement;
    device.portOffset = portOffset;
    return device;
}

void DeviceList::AddIrradiators(const SystemProfile& p) {
    const auto add = [this](int entry, const Family& family, double rate, int arrangement,
                            int portOffset) {
        Device_type& device =
            Add("Irradiator", IrradiatorDescription(entry), arrangement, portOffset);
        device.isotope = family.isotope;
        device.letter = IrradiatorLetter(entry);
        device.halfLife = family.halfLife;
        device.doseRate = rate;
        device.doseRateUnit = family.unit;
        device.calibrationDate = family.calibrationDate;
    };
    if (!p.GammaCalibDate.IsEmpty() && p.GammaDoseRate > 0) {
        add(ExternalGamma, GammaFamily(p), p.GammaDoseRate, 0, -1);
    }
    if (!p.BetaCalibDate.IsEmpty() && p.BetaDoseRate > 0) {
        add(ExternalBeta, BetaFamily(p), p.BetaDoseRate, 0, -1);
    }
    if (!p.AlphaCalibDate.IsEmpty() && p.AlphaDoseRate > 0) {
        add(ExternalAlpha, AlphaFamily(p), p.AlphaDoseRate, 0, -1);
    }
    // Internal families: top alone, or low and high, as the arrangement says.
    const auto addInternal = [&](int first, const Family& family, int arrangement,
                                 std::array<double, 3> rates, int portOffset) {
        if (family.calibrationDate.IsEmpty()) {
            return;
        }
        for (int position = 0; position < 3; ++position) {
            const bool offered =
                position == 0 ? SinglePosition(arrangement) : TwoPositions(arrangement);
            if (offered && rates[position] > 0) {
                add(first + position, family, rates[position], arrangement, portOffset);
            }
        }
    };
    addInternal(InternalBeta, BetaFamily(p), p.WhatBIrrad,
                {p.BetaDoseRateTop, p.BetaDoseRateLow, p.BetaDoseRateHigh},
                BetaPortOffset(p, p.ReaderType));
    addInternal(InternalAlpha, AlphaFamily(p), p.WhatAIrrad,
                {p.AlphaDoseRateTop, p.AlphaDoseRateLow, p.AlphaDoseRateHigh}, p.AlphaPort);
    addInternal(InternalXray, GammaFamily(p), p.WhatGIrrad,
                {p.GammaDoseRateTop, p.GammaDoseRateLow, p.GammaDoseRateHigh}, p.GammaPort);
}

void DeviceList::AddHeaters() {
    for (const auto& [kind, description] :
         {std::pair{"TL", "TL heater"}, std::pair{"Heater", "Pre-heater"}}) {
        Device_type& heater = Add(kind, description, 1, 0);
        heater.deviceText = "Resistive strip";
        heater.rangeLow = 0;
        heater.rangeHigh = 500;
        heater.rangeUnit = "C";
        heater.rateLow = 0;
        heater.rateHigh = 25;
        heater.rateUnit = "C/s";
    }
}

void DeviceList::AddLightSources(const SystemProfile& profile) {
    const DeviceSet& set = profile.Devices;
    // Light sources and filters sit inside the reader: arrangement 1, no port offset.
    if (set.VisibleOSL) {
        const int count = set.FilterWheel471 ? 8 : 1;
        for (int i = 0; i < count; ++i) {
            Device_type& led = Add("OSL", i == 0 ? "OSL" : "OSL" + std::to_string(i), 1, 0);
            led.deviceText = "Visible LEDs";
            led.rangeLow = set.Cwl[i] - set.Fwhm[i] / 2;
            led.rangeHigh = set.Cwl[i] + set.Fwhm[i] / 2;
            led.rangeUnit = "nm";
        }
    }
    if (set.IRLEDs3500 || set.IRLEDs471) {
        Device_type& infrared = Add("OSL", "IRSL", 1, 0);
        infrared.deviceText = "Infrared LEDs";
        infrared.rangeLow = 860;
        infrared.rangeHigh = 900;
        infrared.rangeUnit = "nm";
    }
    if (set.DetectorFilter) {
        for (int i = 0; i < 4; ++i) {
            Add("Detector filter", "Det filter #" + std::to_string(i), 1, 0);
        }
    }
}

Device_type* DeviceList::FindDevice(std::string_view kind, std::string_view description) {
    for (Device_type& device : devices_) {
        if (device.kind == kind && (description.empty() || device.description == description)) {
            device.referenced = true;
            return &device;
        }
    }
    return nullptr;
}

} // namespace gw
