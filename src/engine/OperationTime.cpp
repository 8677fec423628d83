#include "engine/OperationTime.h"

#include "engine/IrradiationSource.h"

#include <charconv>
#include <cmath>

namespace gw {

namespace {

constexpr double TlOverheadSeconds = 24.0;
constexpr double OslOverheadSeconds = 3.0;
constexpr double IrradiationOverheadSeconds = 41.0;
// Each hole of a disk repeats the curve, and a disk has up to a hundred holes.
constexpr double HoleRepeats = 100.0;

double TlDuration(const TDataType& operation) {
    double seconds = double(operation.HoldTime) + double(operation.PreheatTime);
    if (operation.RampRate > 0) {
        const double rate = operation.RampRate;
        seconds += operation.Temperature / rate + operation.PreheatTemp / rate;
    }
    return seconds;
}

double OslDuration(const TDataType& operation) {
    double milliseconds = 0.0;
    for (std::size_t i = 0; i < operation.N.size(); ++i) {
        milliseconds += double(operation.X[i]) * operation.Y[i] * operation.N[i];
    }
    const double seconds = milliseconds * 0.001;
    return operation.UseHoles != 0 ? seconds * HoleRepeats : seconds;
}

std::string WholeNumber(double value) {
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 0);
    return std::string(buffer, result.ptr);
}

std::string TwoDigits(int value) {
    return std::string(1, char('0' + value / 10)) + char('0' + value % 10);
}

} // namespace

double OperationDuration(const TDataType& operation) {
    switch (operation.Kind) {
    case OperationKind::TL:
        return TlDuration(operation);
    case OperationKind::OSL:
    case OperationKind::LMOSL:
    case OperationKind::VMOSL:
        return OslDuration(operation);
    case OperationKind::Irradiation:
        return IsExternalSource(operation.Source) ? 0.0 : double(operation.IrradTime);
    default:
        return 0.0;
    }
}

double EstimatedTime(const TDataType& operation) {
    const double duration = OperationDuration(operation);
    switch (operation.Kind) {
    case OperationKind::TL:
        return duration + TlOverheadSeconds;
    case OperationKind::OSL:
    case OperationKind::LMOSL:
    case OperationKind::VMOSL:
        return duration + OslOverheadSeconds;
    case OperationKind::Irradiation:
        return duration + IrradiationOverheadSeconds;
    default:
        return duration;
    }
}

std::string FormatSpan(double days) {
    if (!std::isfinite(days) || days <= 0.0) {
        return "0:00";
    }
    double wholeDays = std::floor(days);
    const double seconds = std::floor((days - wholeDays) * 86400.0);
    int minutes = int(seconds / 60.0);
    if (seconds - 60.0 * minutes >= 30.0) {
        ++minutes;
    }
    if (minutes >= 24 * 60) {
        wholeDays += 1.0;
        minutes -= 24 * 60;
    }
    std::string text = wholeDays > 0.0 ? WholeNumber(wholeDays) + "d " : std::string();
    return text + std::to_string(minutes / 60) + ":" + TwoDigits(minutes % 60);
}

} // namespace gw
