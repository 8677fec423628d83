#include "engine/TakeDataOperation.h"

#include "core/LocalPath.h"
#include "engine/DeviceCode.h"
#include "profile/IrradiationLetter.h"
#include "profile/SystemProfile.h"

#include <algorithm>
#include <cmath>

namespace gw {

namespace {

constexpr int FullScale = 4095;
constexpr double UnitsPerPercent = 40.95;
constexpr int PointsPerChunk = 255;

int Rounded(double value) {
    return static_cast<int>(std::nearbyint(value));
}

bool HasDirectory(const std::string& name) {
    return name.find_first_of("\\/") != std::string::npos || (name.size() > 1 && name[1] == ':');
}

void FillCommon(const TakeDataValues& values, const std::string& dataDirectory, TDataType& op) {
    op.Complete = 1;
    op.DataFile = DialogDataFile(values.DataFileName, dataDirectory);
    op.InfoText = values.InfoText;
    op.Disk = values.Disk;
}

// The time of one point when every segment with points has the same x * y.
bool CommonPointTime(const OslSheetValues& osl, TimeBaseSegment& first) {
    bool found = false;
    for (const TimeBaseSegment& segment : osl.Segments) {
        if (segment.points <= 0) {
            continue;
        }
        if (!found) {
            first = segment;
            found = true;
        } else if (segment.x * segment.y != first.x * first.y) {
            return false;
        }
    }
    return found;
}

} // namespace

std::string DialogDataFile(const std::string& name, const std::string& dataDirectory) {
    if (name.empty() || HasDirectory(name)) {
        return name;
    }
    std::string directory = dataDirectory;
    if (directory.rfind(".\\", 0) == 0 || directory.rfind("./", 0) == 0) {
        directory.erase(0, 2);
    }
    if (directory.empty()) {
        return name;
    }
    if (directory.back() != '\\' && directory.back() != '/') {
        directory += '\\';
    }
    return directory + name;
}

void ConfirmTakeData(TakeDataValues& values, const std::string& dataDirectory, TDataType& op) {
    op = TDataType{};
    switch (values.Sheet) {
    case TakeDataSheet::OSL:
    case TakeDataSheet::MOSL:
        op.Device = values.Osl.device();
        op.Kind = op.Device >= DeviceCode::RampedOsl ? OperationKind::LMOSL : OperationKind::OSL;
        op.Temperature =
            values.Sheet == TakeDataSheet::OSL ? values.Osl.Temperature : values.Mosl.Temperature;
        break;
    case TakeDataSheet::TL:
        op.Kind = OperationKind::TL;
        if (!values.PreheatForm && values.Tl.EndTemp < values.Tl.OsStop) {
            values.Tl.OsStop = values.Tl.EndTemp;
        }
        op.OSActive = 0;
        break;
    case TakeDataSheet::Irradiate:
        op.Kind = OperationKind::Irradiation;
        op.Temperature = values.Irradiation.Temperature;
        break;
    }
    FillCommon(values, dataDirectory, op);
    op.ForceMove = 1;
    if (!values.Range) {
        values.ToDisk = values.Disk;
    }
    op.UseHoles = values.UseScanner ? 1 : 0;
    if (values.UseScanner) {
        op.ScannerWait = 0;
        if (values.AllHoles) {
            values.Hole = values.Holes.firstSelectedFrom(values.Disk, 0);
        }
        op.Hole = values.Hole;
    }
}

int RampPowerIncrement(double powerPercent, int points) {
    if (points <= 0) {
        return 0;
    }
    int w = Rounded(powerPercent * UnitsPerPercent / points);
    w = std::max(w, 1);
    while (w > 1 && points * w > FullScale) {
        --w;
    }
    return w;
}

void FillOslFields(const TakeDataValues& values, const std::string& dataDirectory, TDataType& op) {
    const OslSheetValues& osl = values.Osl;
    FillCommon(values, dataDirectory, op);
    op.UseHoles = values.UseScanner ? 1 : 0;
    op.Hole = values.UseScanner ? values.Hole : -1;
    op.Points = osl.totalPoints();
    for (std::size_t i = 0; i < 4; ++i) {
        op.X[i] = osl.Segments[i].x;
        op.Y[i] = osl.Segments[i].y;
        op.N[i] = osl.Segments[i].points;
    }
    if (op.Device < DeviceCode::RampedOsl) {
        op.Power = osl.Power;
        op.PowerIncrement = op.XFactor = op.YFactor = 0;
        return;
    }
    op.PowerIncrement = RampPowerIncrement(osl.Power, op.Points);
    op.Power = op.Points / UnitsPerPercent * op.PowerIncrement;
    TimeBaseSegment first;
    if (CommonPointTime(osl, first)) {
        op.XFactor = first.x;
        op.YFactor = first.y;
    } else {
        op.XFactor = op.YFactor = 0;
    }
}

void FillMoslFields(const TakeDataValues& values, const std::string& dataDirectory, TDataType& op) {
    const MoslSheetValues& mosl = values.Mosl;
    FillCommon(values, dataDirectory, op);
    op.Kind = OperationKind::LMOSL;
    op.Device = mosl.device();
    op.Temperature = mosl.Temperature;
    op.Points = mosl.Ramp.points;
    op.Power = mosl.Ramp.actualPower;
    op.PowerIncrement = mosl.Ramp.increment;
    op.XFactor = mosl.Ramp.factorX;
    op.YFactor = mosl.Ramp.factorY;
    int remaining = op.Points;
    for (std::size_t i = 0; i < 4; ++i) {
        op.X[i] = op.XFactor;
        op.Y[i] = op.YFactor;
        op.N[i] = std::min(remaining, PointsPerChunk);
        remaining -= op.N[i];
    }
}

void FillTlFields(const TakeDataValues& values, const std::string& dataDirectory, TDataType& op) {
    const TlSheetValues& tl = values.Tl;
    FillCommon(values, dataDirectory, op);
    op.Kind = OperationKind::TL;
    op.Device = DeviceCode::NoStimulation;
    op.Temperature = tl.EndTemp;
    op.Increment = tl.DataSpace;
    op.Points = tl.DataSpace > 0 ? tl.EndTemp / tl.DataSpace : 0;
    op.CoolTemp = Rounded(tl.CoolTemp);
    op.HoldTime = tl.HoldTime;
    op.RampRate = tl.RampRate;
    const bool preheat = tl.DoPreheat && !values.PreheatForm;
    op.PreheatTemp = preheat ? Rounded(tl.PreheatTemp) : 0;
    op.PreheatTime = preheat ? Rounded(tl.PreheatTime) : 0;
    op.PreheatType = preheat && tl.PreheatWithCooling ? 'W' : 'S';
    const bool stimulate = tl.SwitchOsOn && !values.PreheatForm;
    op.OSDevice = stimulate ? tl.osDevice() : 0;
    op.OSStart = stimulate ? tl.OsStart : 0;
    op.OSStop = stimulate ? tl.OsStop : 0;
    op.OSPower = stimulate ? tl.OsPower : 0.0;
    op.OSActive = 0;
}

void FillIrradiationFields(const TakeDataValues& values, const std::string& dataDirectory,
                           const SystemProfile& profile, int systemType, TDataType& op) {
    const IrradiationSheetValues& irradiation = values.Irradiation;
    FillCommon(values, dataDirectory, op);
    op.Kind = OperationKind::Irradiation;
    op.Device = DeviceCode::IrradiationBase;
    const bool armShown = systemType >= 1 && systemType <= 3;
    op.ArmOffset = armShown && irradiation.HasTransferArm ? 4 : 0;
    op.IrradPosition = std::clamp(irradiation.PositionItem, 0, 2);
    op.Temperature = systemType == 4 ? irradiation.Temperature : 0;
    op.PositionOffset = std::max(BetaPortOffset(profile, systemType), 0);
    op.IrradTime = irradiation.IrradTime;
}

bool AfterglowBoxShown(int afterglowCode, bool compatibility) {
    const bool codeAllows =
        afterglowCode == 0 || afterglowCode == 14 || afterglowCode == 17 || afterglowCode == 20;
    return codeAllows && !compatibility;
}

} // namespace gw
