#pragma once

#include <string>

namespace gw {

// The stimulation or irradiation device an operation uses, as the record's Device number.
namespace DeviceCode {
inline constexpr int NoStimulation = 0;
inline constexpr int ExternalLampFirst = 10;
inline constexpr int ExternalLampLast = 19;
inline constexpr int OslMainChannel = 20;
inline constexpr int OslLastChannel = 27;
inline constexpr int Infrared = 28;
inline constexpr int RampedOsl = 40;
inline constexpr int RampedInfrared = 48;
// Irradiations add the irradiator and position codes to this.
inline constexpr int IrradiationBase = 100;
} // namespace DeviceCode

// An external lamp is not driven by the reader; its operation is only recorded.
bool IsExternalLamp(int device);

// The device's name in a data file record ("TL", "ext. lamp", "OSL", "IRSL", "MOSL", "MIRSL");
// empty for irradiation devices, which the record does not name, and for unknown codes.
std::string DeviceFileName(int device);

} // namespace gw
