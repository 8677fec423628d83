#include "engine/TakeDataCheck.h"

#include "engine/DataTakePlan.h"
#include "engine/MoslSearch.h"

#include <cmath>
#include <cstdio>
#include <optional>

namespace gw {

namespace {

constexpr int System6600 = 4;

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string Quoted(const char* caption) {
    return std::string("\"") + caption + "\"";
}

std::string OutOfRange(const char* caption, double min, double max) {
    return Quoted(caption) + " must lie between " + Number(min) + " and " + Number(max) + ".";
}

// The refusals of one check, first one wins.
class Checker {
public:
    void limit(const FieldLimit& field, double value) {
        limit(field.caption, value, field.min, field.max);
    }
    void limit(const char* caption, double value, double min, double max) {
        if (!refusal_ && !(value >= min && value <= max)) {
            refusal_ = OutOfRange(caption, min, max);
        }
    }
    void refuse(std::string text) {
        if (!refusal_) {
            refusal_ = std::move(text);
        }
    }
    std::string refusal() const { return refusal_.value_or(""); }

private:
    std::optional<std::string> refusal_;
};

void CheckCommonArea(const TakeDataValues& v, int systemType, Checker& check) {
    const int lastDisk = LastDisk(systemType);
    check.limit(TakeDataValues::DiskLimit.caption, v.Disk, 0, lastDisk);
    if (v.Range) {
        check.limit(TakeDataValues::ToDiskLimit.caption, v.ToDisk, v.Disk, lastDisk);
    }
    if (!v.UseScanner) {
        return;
    }
    const int holes = v.Holes.holesPerDisk();
    if (v.AllHoles) {
        if (!v.Holes.anySelected(v.Disk)) {
            check.refuse("\"all\" holes: disk " + std::to_string(v.Disk) +
                         " has no selected hole (\"select holes\").");
        }
    } else {
        check.limit(TakeDataValues::HoleLimit.caption, v.Hole, 0, holes - 1);
    }
}

void CheckOsl(const OslSheetValues& osl, Checker& check) {
    for (const TimeBaseSegment& segment : osl.Segments) {
        check.limit(OslSheetValues::XLimit, segment.x);
        check.limit(OslSheetValues::YLimit, segment.y);
        check.limit(OslSheetValues::PointsLimit, segment.points);
    }
    check.limit(OslSheetValues::TotalPointsLimit, osl.totalPoints());
    check.limit(OslSheetValues::TemperatureLimit, osl.Temperature);
    check.limit(OslSheetValues::PowerLimit, osl.Power);
}

void CheckMosl(const MoslSheetValues& mosl, int systemType, Checker& check) {
    if (systemType != System6600) {
        check.refuse("\"Take MOSL\" needs a 6600 reader.");
    }
    check.limit(MoslSheetValues::MaxPowerLimit, mosl.MaxPower);
    check.limit(MoslSheetValues::RampTimeLimit, mosl.RampTime);
    check.limit(MoslSheetValues::MaxPointsLimit, mosl.MaxPoints);
    check.limit(MoslSheetValues::TemperatureLimit, mosl.Temperature);
    if (!mosl.Ramp.found()) {
        check.refuse("No MOSL setting was found for \"Maximum power, %\", \"Ramp time, s\" and "
                     "\"Max points\" (\"actual points\" is 0).");
    }
}

void CheckTl(const TlSheetValues& tl, bool preheatForm, Checker& check) {
    check.limit(TlSheetValues::DataSpaceLimit, tl.DataSpace);
    check.limit(TlSheetValues::RampRateLimit, tl.RampRate);
    check.limit(TlSheetValues::EndTempLimit, tl.EndTemp);
    if (tl.DataSpace >= 1) {
        const int points = tl.EndTemp / tl.DataSpace;
        if (!TlSheetValues::PointsLimit.admits(points)) {
            check.refuse(Quoted(TlSheetValues::DataSpaceLimit.caption) + " gives " +
                         std::to_string(points) + " points up to the end temperature; a TL takes " +
                         "2 to 1020 points.");
        }
    }
    check.limit(TlSheetValues::HoldTimeLimit, tl.HoldTime);
    check.limit(TlSheetValues::CoolTempLimit, tl.CoolTemp);
    if (tl.DoPreheat && !preheatForm) {
        check.limit(TlSheetValues::PreheatTempLimit, tl.PreheatTemp);
        check.limit(TlSheetValues::PreheatTimeLimit, tl.PreheatTime);
    }
    if (tl.SwitchOsOn && !preheatForm) {
        check.limit(TlSheetValues::OsStartLimit, tl.OsStart);
        check.limit(TlSheetValues::OsStopLimit, tl.OsStop);
        check.limit(TlSheetValues::OsPowerLimit, tl.OsPower);
    }
    if (tl.Afterglow.RecordAfterglow && !preheatForm) {
        check.limit(TlSheetValues::AfterglowResolutionLimit, tl.Afterglow.TimeResolutionMs);
        check.limit(TlSheetValues::AfterglowStopLimit, tl.Afterglow.StopTemperature);
    }
}

void CheckIrradiation(const IrradiationSheetValues& irradiation, int systemType, Checker& check) {
    check.limit(IrradiationSheetValues::TimeLimit, irradiation.IrradTime);
    if (systemType == System6600) {
        check.limit(IrradiationSheetValues::TemperatureLimit, irradiation.Temperature);
    }
}

// A ramp whose power gives less than one converter step per point is taken with one step.
std::optional<std::string> RampNotice(const OslSheetValues& osl) {
    const int points = osl.totalPoints();
    if (!osl.ramped() || points <= 0) {
        return std::nullopt;
    }
    if (std::nearbyint(osl.Power * 40.95 / points) >= 1) {
        return std::nullopt;
    }
    char power[32];
    std::snprintf(power, sizeof power, "%0.2f", double(points) / 40.95);
    return "\"VM max power %\" gives less than one power step per point over " +
           std::to_string(points) + " points: the ramp rises by one step per point, to " + power +
           " %.";
}

} // namespace

int LastDisk(int systemType) {
    const int positions = PlatterPositions(systemType);
    // Readers without a platter take any disk number the operator counts by.
    return positions > 1 ? positions - 1 : int(TakeDataValues::DiskLimit.max);
}

TakeDataVerdict CheckTakeData(const TakeDataValues& values, const TakeDataContext& context) {
    Checker check;
    CheckCommonArea(values, context.systemType, check);
    TakeDataVerdict verdict;
    switch (values.Sheet) {
    case TakeDataSheet::OSL:
        CheckOsl(values.Osl, check);
        if (auto notice = RampNotice(values.Osl)) {
            verdict.notices.push_back(*notice);
        }
        break;
    case TakeDataSheet::MOSL:
        CheckMosl(values.Mosl, context.systemType, check);
        break;
    case TakeDataSheet::TL:
        CheckTl(values.Tl, values.PreheatForm, check);
        break;
    case TakeDataSheet::Irradiate:
        CheckIrradiation(values.Irradiation, context.systemType, check);
        break;
    }
    verdict.refusal = check.refusal();
    if (!verdict.accepted()) {
        verdict.notices.clear();
    }
    return verdict;
}

} // namespace gw
