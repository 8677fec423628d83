#pragma once

#include "engine/OperationKind.h"

#include <array>
#include <cstdint>
#include <string>

namespace gw {

// The record of one reader operation: what to measure, on which disk, with which device, and
// the bookkeeping of its run. A cleared record (all numbers zero, texts empty) is the start of
// every producer. Only the parameter fields of the record's kind are meaningful; the others stay
// zero. The parameter groups do not share storage, so writing one group never disturbs another.
// Texts are 8-bit Windows-1252 bytes. Date-times count days, the time of day as the fraction.
struct TDataType {
    // Treatment bit 0: a treatment without data (TL preheat, OSL bleach, LM/VM-OSL preshine).
    static constexpr std::uint8_t TreatmentWithoutData = 0x01;
    // Purpose bit 0: normalization measurement; bit 1: background measurement.
    static constexpr std::uint8_t PurposeNormalization = 0x01;
    static constexpr std::uint8_t PurposeBackground = 0x02;

    OperationKind Kind = OperationKind::None;
    OperationKind QueryKind = OperationKind::None;
    std::uint8_t Treatment = 0;
    std::uint8_t Purpose = 0;
    std::uint8_t UseHoles = 0;
    std::uint8_t ScannerWait = 0; // shared with the scanner link: access through std::atomic_ref
    std::string DataFile;
    std::string InfoText; // lines separated by CR LF
    std::uint8_t Complete = 0;
    std::uint8_t ForceMove = 0;
    std::uint8_t WriteHeader = 0;
    std::uint8_t FromScript = 0;
    std::uint8_t StopAfter = 0;
    double Started = 0.0;
    double Stopped = 0.0;
    std::int32_t TimeoutMs = 0;
    std::int32_t Disk = 0; // 0 based
    std::int32_t Hole = 0; // 0 based; meaningful only when UseHoles is 1
    std::int32_t Points = 0;
    std::string Remark;
    std::int32_t Temperature = 0; // degrees C
    std::int32_t Device = 0;      // DeviceCode

    // TL (kind 1).
    std::int32_t Increment = 0;   // degrees C between points
    std::int32_t CoolTemp = 0;    // degrees C
    std::int32_t HoldTime = 0;    // s at the end temperature
    std::int32_t PreheatTemp = 0; // degrees C, 0 for none
    std::int32_t PreheatTime = 0; // s
    std::int32_t OSDevice = 0;    // stimulation during the TL: 20 or 28
    std::int32_t OSStart = 0;     // degrees C
    std::int32_t OSStop = 0;      // degrees C
    char PreheatType = 0;         // 'S' stage, 'W' with cooling ("Wash")
    std::uint8_t OSActive = 0;    // run-time state: stimulation switched on
    std::int32_t RampRate = 0;    // degrees C per s
    double OSPower = 0.0;         // %, 0 for none

    // OSL, LM-OSL, VM-OSL (kinds 2, 3, 4). Segment i of the time base (0 based here) takes N[i]
    // points of X[i] * Y[i] ms each.
    double Power = 0.0;              // %, continuous or the ramp's maximum
    std::int32_t PowerIncrement = 0; // converter units per point, 4095 = 100 %
    std::int32_t XFactor = 0;        // time multiplier of one ramp point
    std::int32_t YFactor = 0;        // time base of one ramp point, ms
    std::array<std::int32_t, 4> X{};
    std::array<std::int32_t, 4> Y{};
    std::array<std::int32_t, 4> N{};
    double BleachTime = 0.0; // s, of a script BLEACH; infinite for a lamp left on

    // Irradiation (kind 5).
    char Source = 0;                 // IrradiationSource letter
    std::int32_t IrradPosition = 0;  // 0 top, 1 low, 2 high
    std::int32_t IrradTime = 0;      // s
    std::int32_t PositionOffset = 0; // platter positions from measuring position to irradiator
    std::int32_t ArmOffset = 0;      // 0, or 4 with a transfer arm
    double Dose = 0.0;               // Gy

    // Point query (kind 6).
    std::int32_t QueryPoint = 0;

    bool isTreatment() const { return (Treatment & TreatmentWithoutData) != 0; }
    bool isNormalization() const { return (Purpose & PurposeNormalization) != 0; }
    bool isBackground() const { return (Purpose & PurposeBackground) != 0; }

    bool operator==(const TDataType&) const = default;
};

} // namespace gw
