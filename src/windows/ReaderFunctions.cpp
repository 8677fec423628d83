#include "windows/ReaderFunctions.h"

#include "link/CommandBuilder.h"

namespace gw {

namespace {

constexpr int CalibrationFlag = 9;
constexpr int VacuumFlags[] = {11, 12};
constexpr int PurgeFlag = 13;
constexpr int CoolFlag = 14;
constexpr int HVFlags[] = {18, 19};

} // namespace

bool ReaderFunctions::shownOn(ReaderFunction function, const std::array<std::uint8_t, 32>& flags) {
    switch (function) {
    case ReaderFunction::Purge:
        return flags[PurgeFlag] != 0;
    case ReaderFunction::Cool:
        return flags[CoolFlag] != 0;
    case ReaderFunction::HV:
        return flags[HVFlags[0]] == 1 && flags[HVFlags[1]] == 1;
    case ReaderFunction::LightCalibration:
        return flags[CalibrationFlag] != 0;
    case ReaderFunction::Vacuum:
        return flags[VacuumFlags[0]] != 0 || flags[VacuumFlags[1]] != 0;
    }
    return false;
}

ReaderFunctionPress ReaderFunctions::press(ReaderFunction function,
                                           const std::array<std::uint8_t, 32>& flags) {
    const bool on = shownOn(function, flags);
    switch (function) {
    case ReaderFunction::Purge:
        return {on ? CommandBuilder::PurgeOff() : CommandBuilder::PurgeOn(), !on};
    case ReaderFunction::Cool:
        return {on ? CommandBuilder::CoolOff() : CommandBuilder::CoolOn(), std::nullopt};
    case ReaderFunction::HV:
        return {on ? CommandBuilder::HVOff() : CommandBuilder::HVOn(), std::nullopt};
    case ReaderFunction::LightCalibration:
        return {on ? CommandBuilder::CalibrateOff() : CommandBuilder::CalibrateOn(), std::nullopt};
    case ReaderFunction::Vacuum:
        return {on ? CommandBuilder::VacuumOff() : CommandBuilder::VacuumOn(), std::nullopt};
    }
    return {};
}

bool ReaderFunctions::available(ReaderFunction function, int systemType) {
    return function != ReaderFunction::Vacuum || (systemType >= 1 && systemType <= 3);
}

} // namespace gw
