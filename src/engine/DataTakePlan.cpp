#include "engine/DataTakePlan.h"

#include "engine/DeviceCode.h"
#include "engine/IrradiationSource.h"
#include "link/CommandBuilder.h"

namespace gw {

namespace {

constexpr int System3500 = 2;
constexpr int System3550 = 3;
constexpr int System6600 = 4;
constexpr int WarmSampleCelsius = 30;

PreheatKind PreheatFor(char type) {
    switch (type) {
    case 'S':
        return PreheatKind::Stage;
    case 'W':
        return PreheatKind::Wash;
    default:
        return PreheatKind::None;
    }
}

bool IsOslDevice(int device) {
    return device >= DeviceCode::OslMainChannel && device <= DeviceCode::OslLastChannel;
}

Command OslMeasurement(const TDataType& op, const DataTakeSettings& settings) {
    const int channel = op.Device == DeviceCode::Infrared ? 1 : 2;
    const double units = CommandBuilder::ConverterUnits(op.Power);
    return settings.ShortDataAllowed
               ? CommandBuilder::ShortOSLRun(units, channel, settings.CompatibilityMode)
               : CommandBuilder::OSLRun(units, channel, settings.CompatibilityMode);
}

Command RampMeasurement(const TDataType& op, const DataTakeSettings& settings) {
    const int channel = op.Device == DeviceCode::RampedInfrared ? 5 : 6;
    return settings.ShortDataAllowed
               ? CommandBuilder::ShortMOSLRun(op.PowerIncrement, channel,
                                              settings.CompatibilityMode)
               : CommandBuilder::MOSLRun(op.PowerIncrement, channel, settings.CompatibilityMode);
}

} // namespace

int PlatterPositions(int systemType) {
    switch (systemType) {
    case System3500:
        return 20;
    case System3550:
    case System6600:
        return 60;
    default:
        return 1;
    }
}

bool NeedsPreparation(const TDataType& operation, int readerPosition) {
    const OperationKind kind = operation.Kind;
    const bool measuresOrIrradiates =
        kind >= OperationKind::TL && kind <= OperationKind::Irradiation;
    if (operation.UseHoles == 0) {
        return measuresOrIrradiates;
    }
    return kind == OperationKind::Irradiation || readerPosition != operation.Disk ||
           operation.ForceMove == 1;
}

LampAction LampActionFor(const TDataType& operation, const DataTakeSettings& settings,
                         bool lampOn) {
    switch (operation.Kind) {
    case OperationKind::TL:
        return lampOn && (!settings.OSLonTL ||
                          operation.HoldTime + operation.PreheatTime > settings.LampOffTime)
                   ? LampAction::SwitchOff
                   : LampAction::Keep;
    case OperationKind::OSL:
    case OperationKind::LMOSL:
    case OperationKind::VMOSL:
        return IsOslDevice(operation.Device) && settings.HalogenSwitch && !lampOn
                   ? LampAction::SwitchOnAndStabilize
                   : LampAction::Keep;
    case OperationKind::Irradiation:
        return lampOn && (!settings.OSLonIrrad || operation.IrradTime > settings.LampOffTime)
                   ? LampAction::SwitchOff
                   : LampAction::Keep;
    default:
        return LampAction::Keep;
    }
}

Command PreparationCommand(const TDataType& operation, const DataTakeSettings& settings,
                           bool purgeOn, bool readerPurges) {
    switch (operation.Kind) {
    case OperationKind::TL:
        return CommandBuilder::BeforeTL(purgeOn);
    case OperationKind::OSL:
    case OperationKind::LMOSL:
    case OperationKind::VMOSL:
        return CommandBuilder::BeforeOSL(operation.Temperature, purgeOn);
    case OperationKind::Irradiation: {
        const bool purgeOff = readerPurges && !settings.GasOnIrrad;
        if (settings.SystemType != System6600) {
            return purgeOff ? CommandBuilder::PurgeOff() : Command{};
        }
        const bool gas = settings.GasOnIrrad || operation.Temperature > WarmSampleCelsius;
        return CommandBuilder::BeforeIrradiation(operation.Temperature, purgeOff, gas);
    }
    default:
        return {};
    }
}

int TargetPosition(const TDataType& operation, int systemType) {
    if (operation.Kind != OperationKind::Irradiation) {
        return operation.Disk;
    }
    const int positions = PlatterPositions(systemType);
    return ((operation.Disk + operation.PositionOffset) % positions + positions) % positions;
}

Command MoveCommand(const TDataType& operation, int systemType) {
    const int target = TargetPosition(operation, systemType);
    return operation.Kind == OperationKind::Irradiation ? CommandBuilder::Jump(target)
                                                        : CommandBuilder::Advance(target);
}

Command MeasurementCommand(const TDataType& operation, const DataTakeSettings& settings) {
    switch (operation.Kind) {
    case OperationKind::TL:
        return CommandBuilder::TLMeasurement(
            operation.Temperature, operation.HoldTime, PreheatFor(operation.PreheatType),
            operation.PreheatTemp, operation.PreheatTime, operation.Increment, operation.CoolTemp,
            operation.RampRate);
    case OperationKind::OSL:
        return OslMeasurement(operation, settings);
    case OperationKind::LMOSL:
    case OperationKind::VMOSL:
        return RampMeasurement(operation, settings);
    case OperationKind::Irradiation:
        if (IsExternalSource(operation.Source)) {
            return {};
        }
        return CommandBuilder::Irradiate(operation.IrradTime,
                                         operation.IrradPosition + operation.ArmOffset);
    case OperationKind::PointQuery:
        return CommandBuilder::RepeatPoint(operation.QueryPoint);
    default:
        return {};
    }
}

} // namespace gw
