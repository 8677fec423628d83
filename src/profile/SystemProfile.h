#pragma once

#include "profile/DeviceSet.h"
#include "profile/PackedDate.h"

#include <array>
#include <cstdint>
#include <string>

namespace gw {

// The reader installation's configuration: one profile of the profile file. Bytes 0..799 are the
// first page of the profile's block, bytes 800..1014 the first 215 bytes of its fifth page (zero
// in a plain four-page file). Texts are Windows-1252 bytes. Flags read any non-zero byte as on.
//
// RawBytes keeps the 1015 bytes the record was read from, so that every byte this program does not
// interpret (and the unused tail of every text) is written back exactly as it was read.
struct SystemProfile {
    static constexpr int Size = 1015;
    static constexpr int FirstPageBytes = 800;
    static constexpr int FifthPageBytes = 215;

    double GammaDoseRate = 0; // external gamma; > 0 means present
    double BetaDoseRateHigh = 0;
    double BetaDoseRateLow = 0;
    double BetaDoseRateTop = 0;
    double BetaDoseRate = 0;       // external beta; > 0 means present
    double AlphaDoseRate = 0;      // external alpha; > 0 means present
    std::string GammaDoseRateUnit; // string[7]: "Gy/sec", "Gy/min" or "Gy"
    std::string BetaDoseRateUnit;  // string[7]
    std::string AlphaDoseRateUnit; // string[7]: "u-2/sec", "u-2/min" or "u-2"
    std::string GammaIsotope;      // string[7]
    std::string BetaIsotope;       // string[7]
    std::string AlphaIsotope;      // string[7]
    PackedDate GammaCalibDate;     // empty: the gamma irradiators are not offered to scripts
    PackedDate BetaCalibDate;
    PackedDate AlphaCalibDate;
    double GammaHalfLife = 0; // years
    double BetaHalfLife = 0;
    double AlphaHalfLife = 0;
    std::int16_t WhatBIrrad = 0; // internal beta arrangement, 0..4
    char IrradLetter = 0;
    std::string VolID;    // string[41]: data directory with a trailing backslash
    std::string SystemID; // string[15]; file-wide
    PackedDate CreateDate;
    bool HasAlphaInternal = false;
    bool CorrectGlitches = false;
    bool HasScanner = false;
    std::int16_t AfterglowCode = 0;
    std::int16_t ReaderType = 0;   // 0 manual, 1 = 3400, 2 = 3500, 3 = 3550, 4 = 6600
    double MaxUncertainty = 0;     // 0..1
    std::int16_t IntegralLow = 0;  // deg C, a multiple of 5
    std::int16_t IntegralHigh = 0; // deg C, a multiple of 5
    std::int16_t FilterNum = 0;    // 0 None, 1 Box car, 2 3-pt gaussian, 3 5-pt gaussian
    DeviceSet Devices;
    double NS = 0; // detector dead time, ns
    bool HasXrayInternal = false;
    bool HasFivePages = false; // file-wide
    bool DyCorr = false;
    bool DTCorr = false;
    DeviceSet SaaDevices;
    std::int16_t IrradTimeUnit = 0; // seconds: 1 or 60
    bool HalogenSwitch = false;
    bool GasOnIrrad = false;
    bool OSLonPreheat = false;
    bool OSLonIrrad = false;
    bool OSLonTL = false;
    std::int16_t LampOnTime = 0;  // s
    std::int16_t LampOffTime = 0; // s
    DeviceSet SarDevices;
    bool HasIRIS = false;
    bool ShortDataMode = false;
    std::string ProfileName;         // string[23]; at most 15 characters are entered
    std::uint8_t CurrentProfile = 0; // file-wide
    std::int16_t WhatAIrrad = 0;     // internal alpha arrangement, 0..4
    std::int16_t WhatGIrrad = 0;     // internal X-ray arrangement, 0..4
    double AlphaDoseRateTop = 0;
    double AlphaDoseRateLow = 0;
    double AlphaDoseRateHigh = 0;
    double GammaDoseRateTop = 0;
    double GammaDoseRateLow = 0;
    double GammaDoseRateHigh = 0;
    std::int16_t AlphaPort = 0; // port offsets 0..100
    std::int16_t BetaPort = 0;
    std::int16_t GammaPort = 0;
    double XTubeCurrTop = 0; // mA
    double XTubeCurrLow = 0;
    double XTubeCurrHigh = 0;

    std::array<std::uint8_t, Size> RawBytes{};

    // The record read from its 1015 bytes.
    static SystemProfile FromBytes(const std::array<std::uint8_t, Size>& bytes);
    // The record's bytes: RawBytes with every named field written over it.
    std::array<std::uint8_t, Size> ToBytes() const;

    bool operator==(const SystemProfile&) const = default;
};

} // namespace gw
