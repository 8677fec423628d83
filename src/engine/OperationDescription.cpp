#include "engine/OperationDescription.h"

#include "engine/OperationTime.h"

#include <charconv>

namespace gw {

namespace {

const std::string CrLf = "\r\n";
const std::string DegreesC = "\260C";

// Fixed-point text with a "." decimal point, independent of the C locale the GUI may have set.
std::string Fixed(double value, int decimals) {
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

std::string Leading(const TDataType& operation) {
    std::string text = operation.isNormalization() ? "  normalization " : "  ";
    if (operation.isBackground()) {
        text += "background ";
    }
    return text;
}

std::string PreheatTypeWord(char type) {
    switch (type) {
    case 'S':
        return "stage";
    case 'W':
        return "wash";
    default:
        return {};
    }
}

std::string DescribeTl(const TDataType& op) {
    const std::string temperature = std::to_string(op.Temperature) + DegreesC;
    std::string text;
    if (op.isTreatment()) {
        text = "preheat ";
        text += op.HoldTime <= 0
                    ? "to " + temperature
                    : "at " + temperature + " for " + std::to_string(op.HoldTime) + "s";
    } else {
        text = "TL to " + temperature;
        if (op.HoldTime > 0) {
            text += "; holding for " + std::to_string(op.HoldTime) + "s";
        }
        if (static_cast<long long>(op.PreheatTime) * op.PreheatTemp > 0) {
            text += CrLf + "  " + PreheatTypeWord(op.PreheatType) + " preheat at " +
                    std::to_string(op.PreheatTemp) + DegreesC + " for " +
                    std::to_string(op.PreheatTime) + "s ";
        }
    }
    return text + CrLf + "  ramp rate " + std::to_string(op.RampRate) + DegreesC + "/s";
}

std::string OslName(const TDataType& op) {
    if (op.isTreatment()) {
        return op.Kind == OperationKind::OSL ? "bleach " : "preshine ";
    }
    switch (op.Kind) {
    case OperationKind::OSL:
        return "OSL ";
    case OperationKind::LMOSL:
        return "LM-OSL ";
    default:
        return "VM-OSL ";
    }
}

std::string AtTemperature(const TDataType& op) {
    return "  at temperature " + std::to_string(op.Temperature) + DegreesC;
}

std::string DescribeOsl(const TDataType& op) {
    return OslName(op) + " for " + Fixed(OperationDuration(op), 2) + "s " + CrLf + "  device " +
           std::to_string(op.Device) + CrLf + "  power " + Fixed(op.Power, 1) + "%" + CrLf +
           AtTemperature(op);
}

std::string DescribeIrradiation(const TDataType& op) {
    return "irradiation for " + std::to_string(op.IrradTime) + " s" + CrLf + "  device " +
           std::to_string(op.Device) + CrLf + "  dose " + Fixed(op.Dose, 2) + " Gy" + CrLf +
           AtTemperature(op);
}

} // namespace

std::string DescribeOperation(const TDataType& operation) {
    std::string text = Leading(operation);
    switch (operation.Kind) {
    case OperationKind::TL:
        return text + DescribeTl(operation);
    case OperationKind::OSL:
    case OperationKind::LMOSL:
    case OperationKind::VMOSL:
        return text + DescribeOsl(operation);
    case OperationKind::Irradiation:
        return text + DescribeIrradiation(operation);
    default:
        return text;
    }
}

} // namespace gw
