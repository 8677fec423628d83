#include "engine/ScriptRecord.h"

#include "engine/DeviceCode.h"

namespace gw {

namespace {

void Append(RecordLines& lines, const RecordLines& more) {
    lines.insert(lines.end(), more.begin(), more.end());
}

void AppendKindLines(RecordLines& lines, const TDataType& op, const DataFileFormat& format) {
    if (IsOslKind(op.Kind)) {
        if (op.Device < DeviceCode::RampedOsl) {
            lines.push_back("Power=" + format.fixed(op.Power, 0, 2));
        }
        if (IsExternalLamp(op.Device)) {
            lines.push_back("Time=" + format.fixed(op.BleachTime, 0, 2));
        }
        if (op.Device >= DeviceCode::RampedOsl) {
            Append(lines, RampLines(op, format));
        }
    } else if (op.Kind == OperationKind::TL) {
        if (op.HoldTime > 0) {
            lines.push_back("HoldTime=" + std::to_string(op.HoldTime));
        }
        lines.push_back("RampRate=" + std::to_string(op.RampRate));
        Append(lines, PreheatLines(op));
    } else if (op.Kind == OperationKind::Irradiation) {
        lines.push_back("IrradTime=" + std::to_string(op.IrradTime));
        lines.push_back("IrradDose=" + format.fixed(op.Dose, 0, 2));
    }
}

} // namespace

RecordLines ScriptRecordLines(const TDataType& op, const PointTable& points,
                              const PointLineOptions& options, const DataFileFormat& format) {
    RecordLines lines{"[NewRecord]", op.UseHoles != 0 ? "SampleType=Grain" : "SampleType=Disk",
                      "Disk=" + std::to_string(op.Disk)};
    if (!op.Remark.empty()) {
        lines.push_back("Remark=" + op.Remark);
    }
    if (op.UseHoles != 0) {
        lines.push_back("Hole=" + std::to_string(op.Hole));
    }
    lines.push_back("DataType=" + ScriptTypeWord(op));
    lines.push_back((op.Kind == OperationKind::TL ? "MaxTemp=" : "SampleTemp=") +
                    std::to_string(op.Temperature));
    AppendKindLines(lines, op, format);
    Append(lines, TimeLines(op, format));
    if (op.Kind >= OperationKind::TL && op.Kind <= OperationKind::VMOSL) {
        TDataType measured = op;
        if (op.Kind == OperationKind::OSL && IsExternalLamp(op.Device)) {
            measured.Points = 0; // readers of the file need the line, there is nothing to list
        }
        Append(lines, PointLines(measured, points, options, format));
    }
    return lines;
}

} // namespace gw
