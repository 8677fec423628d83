#include "engine/DialogRecords.h"

#include "engine/DeviceCode.h"

namespace gw {

namespace {

void Append(RecordLines& lines, const RecordLines& more) {
    lines.insert(lines.end(), more.begin(), more.end());
}

RecordLines Opening(const TDataType& op) {
    RecordLines lines{"[NewRecord]"};
    Append(lines, TitleLines(op.InfoText));
    return lines;
}

// "SampleType=", "Disk=" and, on a grain disk, "Hole=".
void AppendSample(RecordLines& lines, const TDataType& op) {
    lines.push_back(op.UseHoles != 0 ? "SampleType=Grain" : "SampleType=Disk");
    lines.push_back("Disk=" + std::to_string(op.Disk));
    if (op.UseHoles != 0) {
        lines.push_back("Hole=" + std::to_string(op.Hole));
    }
}

} // namespace

RecordLines TlDialogRecord(const TDataType& op, const PointTable& points,
                           const PointLineOptions& options, const DataFileFormat& format) {
    RecordLines lines = Opening(op);
    lines.push_back("Disk=" + std::to_string(op.Disk));
    lines.push_back("DataType=" + DialogTlTypeWord(op.Device));
    lines.push_back("MaxTemp=" + std::to_string(op.Temperature));
    if (op.HoldTime > 0) {
        lines.push_back("HoldTime=" + std::to_string(op.HoldTime));
    }
    lines.push_back("RampRate=" + std::to_string(op.RampRate));
    Append(lines, PreheatLines(op));
    Append(lines, TimeLines(op, format));
    Append(lines, PointLines(op, points, options, format));
    return lines;
}

RecordLines OslDialogRecord(const TDataType& op, const PointTable& points,
                            const PointLineOptions& options, const DataFileFormat& format) {
    RecordLines lines = Opening(op);
    AppendSample(lines, op);
    lines.push_back("DataType=" + DialogOslTypeWord(op.Device));
    lines.push_back("SampleTemp=" + std::to_string(op.Temperature));
    if (op.Device < DeviceCode::RampedOsl) {
        lines.push_back("Power=" + format.fixed(op.Power, 0, 2));
    } else {
        Append(lines, RampLines(op, format));
    }
    Append(lines, TimeLines(op, format));
    PointLineOptions noAfterglow = options;
    noAfterglow.afterglowPoints = 0;
    Append(lines, PointLines(op, points, noAfterglow, format));
    return lines;
}

RecordLines MoslDialogRecord(const TDataType& op, const PointTable& points,
                             const PointLineOptions& options, const DataFileFormat& format) {
    RecordLines lines = Opening(op);
    AppendSample(lines, op);
    lines.push_back("DataType=" + DialogOslTypeWord(op.Device));
    lines.push_back("SampleTemp=" + std::to_string(op.Temperature));
    lines.push_back("MaxPower=" + format.fixed(op.Power, 0, 2));
    lines.push_back("Increment=" + std::to_string(op.PowerIncrement));
    lines.push_back("TimeOfPoint=" + format.fixed(double(op.XFactor) * op.YFactor * 0.001, 8, 3));
    Append(lines, TimeLines(op, format));
    PointLineOptions noAfterglow = options;
    noAfterglow.afterglowPoints = 0;
    Append(lines, PointLines(op, points, noAfterglow, format));
    return lines;
}

RecordLines IrradiationDialogRecord(const TDataType& op, const DataFileFormat& format) {
    RecordLines lines = Opening(op);
    lines.push_back("Disk=" + std::to_string(op.Disk));
    lines.push_back("DataType=Irrad");
    lines.push_back("SampleTemp=" + std::to_string(op.Temperature));
    lines.push_back("IrradTime=" + std::to_string(op.IrradTime));
    lines.push_back("IrradDose=" + format.fixed(op.Dose, 0, 2));
    Append(lines, TimeLines(op, format));
    return lines;
}

} // namespace gw
