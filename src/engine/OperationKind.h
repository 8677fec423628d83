#pragma once

#include <cstdint>

namespace gw {

// What one reader operation does; stored as one byte in the operation record.
enum class OperationKind : std::uint8_t {
    None = 0,
    TL = 1,
    OSL = 2,
    LMOSL = 3,
    VMOSL = 4,
    Irradiation = 5,
    // Set only while a lost data point is re-read; the running kind waits in QueryKind.
    PointQuery = 6,
};

// True for the three kinds that stimulate with light over a four-segment time base.
constexpr bool IsOslKind(OperationKind kind) {
    return kind == OperationKind::OSL || kind == OperationKind::LMOSL ||
           kind == OperationKind::VMOSL;
}

// The name of a measuring kind as the reader's texts use it ("TL", "OSL", "LM-OSL", "VM-OSL");
// empty for the others.
constexpr const char* MeasurementKindName(OperationKind kind) {
    switch (kind) {
    case OperationKind::TL:
        return "TL";
    case OperationKind::OSL:
        return "OSL";
    case OperationKind::LMOSL:
        return "LM-OSL";
    case OperationKind::VMOSL:
        return "VM-OSL";
    default:
        return "";
    }
}

} // namespace gw
