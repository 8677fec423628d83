#include "tool/TakeFields.h"

#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>

namespace gw::tool {

namespace {

// One settable field: how it takes its text.
using Setter = std::function<bool(TakeDataValues&, const std::string&)>;

bool Number(const std::string& text, double& value) {
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && end != nullptr && *end == '\0' && std::isfinite(value);
}

template <typename Sheet> Setter IntField(Sheet TakeDataValues::*sheet, int Sheet::*field) {
    return [sheet, field](TakeDataValues& v, const std::string& text) {
        double number = 0;
        if (!Number(text, number) || number != std::floor(number) || std::fabs(number) > 2e9) {
            return false;
        }
        v.*sheet.*field = static_cast<int>(number);
        return true;
    };
}

template <typename Sheet> Setter RealField(Sheet TakeDataValues::*sheet, double Sheet::*field) {
    return [sheet, field](TakeDataValues& v, const std::string& text) {
        double number = 0;
        if (!Number(text, number)) {
            return false;
        }
        v.*sheet.*field = number;
        return true;
    };
}

template <typename Sheet> Setter Switch(Sheet TakeDataValues::*sheet, bool Sheet::*field) {
    return [sheet, field](TakeDataValues& v, const std::string& text) {
        if (text != "on" && text != "off") {
            return false;
        }
        v.*sheet.*field = text == "on";
        return true;
    };
}

// A list field given by the code it stands for (a device number, a position).
template <typename Sheet, std::size_t N>
Setter ItemField(Sheet TakeDataValues::*sheet, int Sheet::*field, std::array<int, N> codes) {
    return [sheet, field, codes](TakeDataValues& v, const std::string& text) {
        double number = 0;
        for (std::size_t i = 0; Number(text, number) && i < N; ++i) {
            if (number == codes[i]) {
                v.*sheet.*field = int(i);
                return true;
            }
        }
        return false;
    };
}

Setter SegmentField(std::size_t segment, int TimeBaseSegment::*field) {
    return [segment, field](TakeDataValues& v, const std::string& text) {
        double number = 0;
        if (!Number(text, number) || number != std::floor(number) || std::fabs(number) > 2e9) {
            return false;
        }
        v.Osl.Segments[segment].*field = static_cast<int>(number);
        return true;
    };
}

struct Field {
    TakeFieldName name;
    Setter set;
};

std::vector<Field> OslFields() {
    using S = OslSheetValues;
    std::vector<Field> fields = {
        {{"Device", "20, 28, 40 or 48 (\"&OSL device\")"},
         ItemField(&TakeDataValues::Osl, &S::DeviceItem, S::DeviceCodes)},
        {{"Temperature", "sample temperature, deg C (\"&@ temp, deg C\")"},
         IntField(&TakeDataValues::Osl, &S::Temperature)},
        {{"Power", "stimulation power, % (the ramp's maximum for 40 and 48)"},
         RealField(&TakeDataValues::Osl, &S::Power)},
    };
    for (std::size_t i = 0; i < 4; ++i) {
        static const char* const names[3][4] = {
            {"X1", "X2", "X3", "X4"}, {"Y1", "Y2", "Y3", "Y4"}, {"N1", "N2", "N3", "N4"}};
        fields.push_back({{names[0][i], "time base segment: multiplier x"},
                          SegmentField(i, &TimeBaseSegment::x)});
        fields.push_back(
            {{names[1][i], "time base segment: step y, ms"}, SegmentField(i, &TimeBaseSegment::y)});
        fields.push_back({{names[2][i], "time base segment: points"},
                          SegmentField(i, &TimeBaseSegment::points)});
    }
    return fields;
}

std::vector<Field> MoslFields() {
    using S = MoslSheetValues;
    return {
        {{"Device", "40 or 48 (\"&MOSL device\")"},
         ItemField(&TakeDataValues::Mosl, &S::DeviceItem, S::DeviceCodes)},
        {{"MaxPower", "maximum power, % (\"Maximum &power, %\")"},
         RealField(&TakeDataValues::Mosl, &S::MaxPower)},
        {{"RampTime", "ramp time, s"}, RealField(&TakeDataValues::Mosl, &S::RampTime)},
        {{"MaxPoints", "most points of the ramp"}, IntField(&TakeDataValues::Mosl, &S::MaxPoints)},
        {{"Temperature", "sample temperature, deg C"},
         IntField(&TakeDataValues::Mosl, &S::Temperature)},
    };
}

std::vector<Field> TlFields() {
    using S = TlSheetValues;
    const auto tl = &TakeDataValues::Tl;
    return {
        {{"Temperature", "end temperature, deg C"}, IntField(tl, &S::EndTemp)},
        {{"RampRate", "heating rate, deg C/s"}, IntField(tl, &S::RampRate)},
        {{"Increment", "data space, deg C between points"}, IntField(tl, &S::DataSpace)},
        {{"HoldTime", "hold at the end temperature, s"}, IntField(tl, &S::HoldTime)},
        {{"CoolTemp", "cooling temperature, deg C"}, RealField(tl, &S::CoolTemp)},
        {{"PreheatTemp", "preheat temperature, deg C"}, RealField(tl, &S::PreheatTemp)},
        {{"PreheatTime", "preheat time, s"}, RealField(tl, &S::PreheatTime)},
        {{"PreheatType", "W (with cooling) or S (stage preheat)"},
         [](TakeDataValues& v, const std::string& text) {
             if (text != "W" && text != "S") {
                 return false;
             }
             v.Tl.PreheatWithCooling = text == "W";
             return true;
         }},
        {{"OSDevice", "20 or 28: stimulation during the TL"},
         ItemField(tl, &S::OsDeviceItem, S::OsDeviceCodes)},
        {{"OSStart", "stimulation starts at, deg C"}, IntField(tl, &S::OsStart)},
        {{"OSStop", "stimulation stops at, deg C"}, IntField(tl, &S::OsStop)},
        {{"OSPower", "stimulation power, %"}, RealField(tl, &S::OsPower)},
        {{"AfterglowTime", "afterglow time resolution, ms"},
         [](TakeDataValues& v, const std::string& text) {
             double number = 0;
             if (!Number(text, number) || number != std::floor(number) || number > 1e9) {
                 return false;
             }
             v.Tl.Afterglow.TimeResolutionMs = int(number);
             return true;
         }},
        {{"AfterglowStop", "afterglow stops at, deg C"},
         [](TakeDataValues& v, const std::string& text) {
             double number = 0;
             if (!Number(text, number) || number != std::floor(number) || number > 1e9) {
                 return false;
             }
             v.Tl.Afterglow.StopTemperature = int(number);
             return true;
         }},
        {{"preheat", "on|off (\"d&o it\")"}, Switch(tl, &S::DoPreheat)},
        {{"os", "on|off (\"switch OS on\")"}, Switch(tl, &S::SwitchOsOn)},
        {{"afterglow", "on|off (\"record afterglow \")"},
         [](TakeDataValues& v, const std::string& text) {
             if (text != "on" && text != "off") {
                 return false;
             }
             v.Tl.Afterglow.RecordAfterglow = text == "on";
             return true;
         }},
    };
}

std::vector<Field> IrradiationFields() {
    using S = IrradiationSheetValues;
    const auto irradiation = &TakeDataValues::Irradiation;
    return {
        {{"IrradTime", "irradiation time, s"}, IntField(irradiation, &S::IrradTime)},
        {{"IrradPosition", "0 top, 1 low, 2 high"},
         ItemField(irradiation, &S::PositionItem, std::array<int, 3>{0, 1, 2})},
        {{"Temperature", "sample temperature, deg C (6600)"},
         IntField(irradiation, &S::Temperature)},
        {{"arm", "on|off (\"has &585 with x-fer arm\", 3400 to 3550)"},
         Switch(irradiation, &S::HasTransferArm)},
    };
}

const std::vector<Field>& FieldsOf(TakeDataSheet sheet) {
    static const std::map<TakeDataSheet, std::vector<Field>> all = {
        {TakeDataSheet::OSL, OslFields()},
        {TakeDataSheet::MOSL, MoslFields()},
        {TakeDataSheet::TL, TlFields()},
        {TakeDataSheet::Irradiate, IrradiationFields()}};
    return all.at(sheet);
}

} // namespace

const std::vector<TakeFieldName>& TakeFieldNames(TakeDataSheet sheet) {
    static std::map<TakeDataSheet, std::vector<TakeFieldName>> names;
    auto& list = names[sheet];
    if (list.empty()) {
        for (const Field& field : FieldsOf(sheet)) {
            list.push_back(field.name);
        }
    }
    return list;
}

bool SetTakeField(TakeDataValues& values, const std::string& name, const std::string& value,
                  std::string& error) {
    for (const Field& field : FieldsOf(values.Sheet)) {
        if (name == field.name.name) {
            if (field.set(values, value)) {
                return true;
            }
            error = "'" + value + "' is no value for " + name + " (" + field.name.meaning + ")";
            return false;
        }
    }
    error = "unknown field '" + name + "' (gwtool take --help lists the names)";
    return false;
}

} // namespace gw::tool
