#pragma once

#include "profile/DeviceSet.h"
#include "profile/SystemProfile.h"

namespace gw {

// Which view of the ROI area a device set has: the main set holds TL and OSL ROIs, the two
// single-aliquot sets six OSL ROIs only.
enum class DeviceSetKind { Main, SingleAliquot };

// The one list of the device set's named fields with their offsets (relative to `base`), walked
// by the byte codec, the JSON writer and the by-name editor alike. `Set` is DeviceSet or
// const DeviceSet; the visitor offers field(name, offset, value&) for each value type,
// text(name, offset, capacity, value&) and sampleTemp(name, highOffset, lowOffset, value&).
template <typename Set, typename Visitor>
void VisitDeviceSetFields(Set& set, DeviceSetKind kind, int base, Visitor& visitor) {
    visitor.field("DevicePower", base + 0, set.DevicePower);
    visitor.field("NeutralFilterXmis", base + 2, set.NeutralFilterXmis);
    visitor.field("ActiveDevice", base + 4, set.ActiveDevice);
    visitor.field("Fwhm", base + 6, set.Fwhm);
    visitor.field("Cwl", base + 22, set.Cwl);
    visitor.field("DetFilter", base + 38, set.DetFilter);
    visitor.field("Bgd", base + 56, set.Bgd);
    visitor.field("IRLEDs471", base + 74, set.IRLEDs471);
    visitor.field("FilterWheel471", base + 76, set.FilterWheel471);
    visitor.field("VisibleOSL", base + 78, set.VisibleOSL);
    visitor.field("ExternalShutter", base + 80, set.ExternalShutter);
    visitor.field("IRLEDs3500", base + 82, set.IRLEDs3500);
    visitor.field("DetectorFilter", base + 84, set.DetectorFilter);
    visitor.field("PreheatChar", base + 86, set.PreheatChar);
    visitor.field("IrradType", base + 87, set.IrradType);
    if (kind == DeviceSetKind::Main) {
        visitor.field("TlRoi", base + 88, set.TlRoi);
        visitor.field("OslRoi", base + 108, set.OslRoi);
    } else {
        visitor.field("SaOslRoi", base + 96, set.SaOslRoi);
    }
    visitor.field("TB10", base + 128, set.TB10);
    visitor.field("TB100", base + 129, set.TB100);
    visitor.field("TB1000", base + 130, set.TB1000);
    visitor.field("TB10000", base + 131, set.TB10000);
    visitor.field("BgdRate", base + 133, set.BgdRate);
    visitor.sampleTemp("SampleTemp", base + 132, base + 135, set.SampleTemp);
}

// The one list of the record's named fields with their record offsets. Device sets are handed to
// visitor.deviceSet(name, offset, set&, kind), which usually walks VisitDeviceSetFields.
template <typename Profile, typename Visitor>
void VisitProfileFields(Profile& p, Visitor& visitor) {
    visitor.field("GammaDoseRate", 8, p.GammaDoseRate);
    visitor.field("BetaDoseRateHigh", 16, p.BetaDoseRateHigh);
    visitor.field("BetaDoseRateLow", 24, p.BetaDoseRateLow);
    visitor.field("BetaDoseRateTop", 32, p.BetaDoseRateTop);
    visitor.field("BetaDoseRate", 40, p.BetaDoseRate);
    visitor.field("AlphaDoseRate", 48, p.AlphaDoseRate);
    visitor.text("GammaDoseRateUnit", 72, 7, p.GammaDoseRateUnit);
    visitor.text("BetaDoseRateUnit", 80, 7, p.BetaDoseRateUnit);
    visitor.text("AlphaDoseRateUnit", 88, 7, p.AlphaDoseRateUnit);
    visitor.text("GammaIsotope", 96, 7, p.GammaIsotope);
    visitor.text("BetaIsotope", 104, 7, p.BetaIsotope);
    visitor.text("AlphaIsotope", 112, 7, p.AlphaIsotope);
    visitor.field("GammaCalibDate", 120, p.GammaCalibDate);
    visitor.field("BetaCalibDate", 122, p.BetaCalibDate);
    visitor.field("AlphaCalibDate", 124, p.AlphaCalibDate);
    visitor.field("GammaHalfLife", 126, p.GammaHalfLife);
    visitor.field("BetaHalfLife", 134, p.BetaHalfLife);
    visitor.field("AlphaHalfLife", 142, p.AlphaHalfLife);
    visitor.field("WhatBIrrad", 150, p.WhatBIrrad);
    visitor.field("IrradLetter", 154, p.IrradLetter);
    visitor.text("VolID", 168, 41, p.VolID);
    visitor.text("SystemID", 210, 15, p.SystemID);
    visitor.field("CreateDate", 256, p.CreateDate);
    visitor.field("HasAlphaInternal", 259, p.HasAlphaInternal);
    visitor.field("CorrectGlitches", 260, p.CorrectGlitches);
    visitor.field("HasScanner", 261, p.HasScanner);
    visitor.field("AfterglowCode", 262, p.AfterglowCode);
    visitor.field("ReaderType", 266, p.ReaderType);
    visitor.field("MaxUncertainty", 270, p.MaxUncertainty);
    visitor.field("IntegralLow", 286, p.IntegralLow);
    visitor.field("IntegralHigh", 288, p.IntegralHigh);
    visitor.field("FilterNum", 290, p.FilterNum);
    visitor.deviceSet("Devices", 292, p.Devices, DeviceSetKind::Main);
    visitor.field("NS", 428, p.NS);
    visitor.field("HasXrayInternal", 439, p.HasXrayInternal);
    visitor.field("HasFivePages", 445, p.HasFivePages);
    visitor.field("DyCorr", 446, p.DyCorr);
    visitor.field("DTCorr", 448, p.DTCorr);
    visitor.deviceSet("SaaDevices", 452, p.SaaDevices, DeviceSetKind::SingleAliquot);
    visitor.field("IrradTimeUnit", 594, p.IrradTimeUnit);
    visitor.field("HalogenSwitch", 596, p.HalogenSwitch);
    visitor.field("GasOnIrrad", 597, p.GasOnIrrad);
    visitor.field("OSLonPreheat", 598, p.OSLonPreheat);
    visitor.field("OSLonIrrad", 599, p.OSLonIrrad);
    visitor.field("OSLonTL", 600, p.OSLonTL);
    visitor.field("LampOnTime", 601, p.LampOnTime);
    visitor.field("LampOffTime", 603, p.LampOffTime);
    visitor.deviceSet("SarDevices", 605, p.SarDevices, DeviceSetKind::SingleAliquot);
    visitor.field("HasIRIS", 741, p.HasIRIS);
    visitor.field("ShortDataMode", 742, p.ShortDataMode);
    visitor.text("ProfileName", 775, 23, p.ProfileName);
    visitor.field("CurrentProfile", 799, p.CurrentProfile);
    visitor.field("WhatAIrrad", 875, p.WhatAIrrad);
    visitor.field("WhatGIrrad", 879, p.WhatGIrrad);
    visitor.field("AlphaDoseRateTop", 889, p.AlphaDoseRateTop);
    visitor.field("AlphaDoseRateLow", 897, p.AlphaDoseRateLow);
    visitor.field("AlphaDoseRateHigh", 905, p.AlphaDoseRateHigh);
    visitor.field("GammaDoseRateTop", 953, p.GammaDoseRateTop);
    visitor.field("GammaDoseRateLow", 961, p.GammaDoseRateLow);
    visitor.field("GammaDoseRateHigh", 969, p.GammaDoseRateHigh);
    visitor.field("AlphaPort", 977, p.AlphaPort);
    visitor.field("BetaPort", 979, p.BetaPort);
    visitor.field("GammaPort", 981, p.GammaPort);
    visitor.field("XTubeCurrTop", 991, p.XTubeCurrTop);
    visitor.field("XTubeCurrLow", 999, p.XTubeCurrLow);
    visitor.field("XTubeCurrHigh", 1007, p.XTubeCurrHigh);
}

} // namespace gw
