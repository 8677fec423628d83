#pragma once

#include <array>
#include <cstdint>

namespace gw {

// A pair of region-of-interest limits: low, high. A pair with a zero member means no ROI.
using RoiPair = std::array<std::uint8_t, 2>;

// One set of TL and OSL device settings (136 bytes in the file). The profile holds three: the
// main set, the single-aliquot additive-dose set and the single-aliquot regenerative-dose set. In
// the main set the ROI area holds TlRoi and OslRoi; in the two single-aliquot sets it holds
// SaOslRoi instead, and the other ROI arrays stay zero.
struct DeviceSet {
    static constexpr int Size = 136;

    std::int16_t DevicePower = 0;       // percent of maximum x 10
    std::int16_t NeutralFilterXmis = 0; // transmission x 10
    std::int16_t ActiveDevice = 0;      // 0..7 visible devices, 8 infrared LEDs
    std::array<std::int16_t, 8> Fwhm{}; // nm, visible devices 0..7
    std::array<std::int16_t, 8> Cwl{};  // nm, visible devices 0..7
    std::array<std::int16_t, 9> DetFilter{};
    std::array<std::int16_t, 9> Bgd{}; // counts per second x 10
    bool IRLEDs471 = false;
    bool FilterWheel471 = false;
    bool VisibleOSL = false;
    bool ExternalShutter = false;
    bool IRLEDs3500 = false;
    bool DetectorFilter = false;
    char PreheatChar = 0; // 'S' stage preheat, 'W' wash preheat
    char IrradType = 0;
    std::array<RoiPair, 10> TlRoi{};   // main set only, units of 5 deg C
    std::array<RoiPair, 10> OslRoi{};  // main set only, channels
    std::array<RoiPair, 6> SaOslRoi{}; // single-aliquot sets only, channels
    std::uint8_t TB10 = 0;
    std::uint8_t TB100 = 0;
    std::uint8_t TB1000 = 0;
    std::uint8_t TB10000 = 0;
    std::array<std::uint8_t, 2> BgdRate{}; // count rate x 10, high byte first
    std::uint16_t SampleTemp = 0;          // deg C

    bool operator==(const DeviceSet&) const = default;
};

} // namespace gw
