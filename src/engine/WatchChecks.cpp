#include "engine/WatchChecks.h"

#include <cstdlib>

namespace gw {

namespace {
constexpr int NoTemperatureError = 128;
constexpr int WarmTolerance = 3;
} // namespace

bool UntilWarmHolds(const ReaderState& state) {
    return std::abs(state.Data[TemperatureErrorReading] - NoTemperatureError) <= WarmTolerance;
}

bool UntilCooledHolds(const TDataType& operation, const ReaderState& state) {
    return operation.CoolTemp >= SampleCelsius(state);
}

bool UntilIrradHolds(const ReaderState& state) {
    return state.Flags[IrradiatingFlag] != 0 || (state.ErrorBits & IrradiatorErrorBit) != 0;
}

} // namespace gw
