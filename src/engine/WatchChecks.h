#pragma once

#include "engine/TDataType.h"
#include "link/ReaderState.h"

namespace gw {

// Reader flags and readings the engine looks at, beside those of ReaderState.h.
inline constexpr int IrradiatingFlag = 10;
inline constexpr int HighVoltageFlagA = 18;
inline constexpr int HighVoltageFlagB = 19;
inline constexpr int InfraredLampFlag = 24;
inline constexpr int VisibleLampFlag = 25;
inline constexpr int TemperatureReading = 1;      // Data index; x 4 gives degrees C
inline constexpr int TemperatureErrorReading = 2; // Data index; 128 means no error
inline constexpr int IrradiatorErrorBit = 0x008;
inline constexpr int SeriousErrorMask = 0x9FB;

inline int SampleCelsius(const ReaderState& state) {
    return 4 * state.Data[TemperatureReading];
}

// "until warm": the temperature error reading is within 3 units of 128.
bool UntilWarmHolds(const ReaderState& state);
// "until cooled": the operation's cooling temperature is at or above the sample's.
bool UntilCooledHolds(const TDataType& operation, const ReaderState& state);
// "until irrad": the reader irradiates, or reports an irradiator error.
bool UntilIrradHolds(const ReaderState& state);

} // namespace gw
