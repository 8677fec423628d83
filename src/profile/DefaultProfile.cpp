#include "profile/DefaultProfile.h"

#include "profile/IrradiationLetter.h"

namespace gw {

namespace {

const char* readerName(std::int16_t readerType) {
    switch (readerType) {
    case 1:
        return "3400 reader";
    case 2:
        return "3500 reader";
    case 3:
        return "3550 reader";
    case 4:
        return "6600 reader";
    default:
        return "Manual reader";
    }
}

// A blue visible source and infrared LEDs, stage preheat, the usual time bases.
DeviceSet defaultDevices() {
    DeviceSet set;
    set.DevicePower = 900;
    set.NeutralFilterXmis = 1000;
    set.ActiveDevice = 0;
    set.Fwhm[0] = 20;
    set.Cwl[0] = 470;
    set.VisibleOSL = true;
    set.IRLEDs471 = true;
    set.PreheatChar = 'S';
    set.IrradType = 'X';
    set.TB10 = 1;
    set.TB100 = 1;
    set.TB1000 = 1;
    set.TB10000 = 1;
    return set;
}

} // namespace

SystemProfile DefaultProfile(std::int16_t readerType) {
    SystemProfile profile;
    profile.ReaderType = readerType;
    profile.ProfileName = readerName(readerType);
    profile.SystemID = profile.ProfileName;
    profile.VolID = "C:\\GWDATA\\";
    profile.GammaDoseRateUnit = "Gy/sec";
    profile.BetaDoseRateUnit = "Gy/sec";
    profile.AlphaDoseRateUnit = "u-2/sec";
    profile.GammaIsotope = "Co-60";
    profile.BetaIsotope = "Sr-90";
    profile.AlphaIsotope = "Am-241";
    profile.GammaHalfLife = 5.27;
    profile.BetaHalfLife = 28.8;
    profile.AlphaHalfLife = 432.2;
    // One internal beta source at the top position, calibrated, so scripts may irradiate.
    profile.WhatBIrrad = 1;
    profile.BetaDoseRateTop = 0.1;
    profile.BetaCalibDate = PackedDate::Pack(2026, 1, 1);
    profile.IrradLetter = 'X';
    profile.BetaPort = DefaultBetaPort(readerType).value_or(0); // no internal beta port otherwise
    profile.IrradTimeUnit = 1;
    profile.IntegralLow = 300;
    profile.IntegralHigh = 400;
    profile.MaxUncertainty = 0.1;
    profile.NS = 20;
    profile.LampOnTime = 5;
    profile.LampOffTime = 60;
    profile.Devices = defaultDevices();
    // The presence flags are mirrored in the single-aliquot sets.
    profile.SaaDevices = defaultDevices();
    profile.SarDevices = defaultDevices();
    return profile;
}

} // namespace gw
