#include "script/OperationPreparer.h"

#include "core/Prompter.h"
#include "engine/DeviceCode.h"
#include "engine/TDataType.h"
#include "profile/SystemProfile.h"
#include "profile/TimeBaseCalculator.h"
#include "script/CommandWords.h"
#include "script/Device_type.h"
#include "script/IrradiatorTable.h"
#include "script/ProfileChecks.h"
#include "script/ScriptLexer.h"
#include "script/SplitInterval.h"
#include "script/sc_Script.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>

namespace gw {

namespace {

constexpr int TlDataSpace = 5;  // degrees C between TL points
constexpr int MaxPoints = 1020; // points of one curve
constexpr double LongestDoslChannel = 65.025;
constexpr int FullPowerSteps = 4095;
constexpr double TlOverheadSeconds = 40;
constexpr double OslOverheadSeconds = 40;
constexpr double IrradiationOverheadSeconds = 30;
constexpr std::int32_t InfiniteBleachTimeoutMs = 100;

// Round(1.1 x seconds) seconds, in ms.
std::int32_t TimeoutMs(double seconds) {
    return RoundToInt(double(RoundToInt(1.1 * seconds)) * 1000.0);
}

// A device code: base + number, saturated instead of overflowing for absurd numbers.
std::int32_t Code(std::int32_t base, std::int32_t number) {
    return RoundToInt(double(base) + double(number));
}

std::string Number(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return result.ec == std::errc() ? std::string(buffer, result.ptr) : "?";
}

} // namespace

PreparationResult PrepareNextOperation(sc_Script& script, sc_Item& disk, TDataType& operation,
                                       bool& ignoreAll, PreparationContext& context) {
    if (disk.runCursor == disk.commands.End()) {
        return {};
    }
    disk.commands.SetCursor(disk.runCursor); // the working cursor names the step being prepared
    TDataType record;
    PreparationResult result =
        OperationPreparer(script, disk, ignoreAll, context).Prepare(*disk.runCursor, record);
    if (!result.ok) {
        if (!result.message.empty() && !result.shown) {
            context.prompter.message(MessageKind::Error, "Error", result.message);
        }
        return result;
    }
    record.DataFile = operation.DataFile;
    operation = std::move(record);
    ++disk.runCursor;
    return result;
}

OperationPreparer::OperationPreparer(sc_Script& script, sc_Item& disk, bool& ignoreAll,
                                     PreparationContext& context)
    : script_(script), disk_(disk), context_(context),
      arguments_(script.variables, context.prompter), warnings_(context.prompter, ignoreAll) {}

PreparationResult OperationPreparer::Prepare(const sc_Command& command, TDataType& record) {
    record = TDataType{};
    record.Disk = disk_.position;
    record.Remark = disk_.label;
    record.UseHoles = script_.useScanner ? 1 : 0;
    record.Hole = script_.useScanner ? 0 : -1;
    record.Complete = 1;
    const CommandWords words = CommandWords::Of(command.name);
    if (words.normalization) {
        record.Purpose |= TDataType::PurposeNormalization;
    }
    if (words.background) {
        record.Purpose |= TDataType::PurposeBackground;
    }
    const std::string& word = words.word;
    normalization_ = record.isNormalization();
    marks_ = {disk_.irradiated, disk_.exposed, disk_.heated, disk_.hot, disk_.exposure};
    arguments_.Start(command.arguments);

    const PreparationResult result = PrepareCommand(word, record);
    if (result.ok) {
        disk_.irradiated = marks_.irradiated;
        disk_.exposed = marks_.exposed;
        disk_.heated = marks_.heated;
        disk_.hot = marks_.hot;
        disk_.exposure = marks_.exposure;
    }
    return result;
}

PreparationResult OperationPreparer::PrepareCommand(const std::string& word, TDataType& record) {
    if (word == "TL") {
        return PrepareTl(record);
    } else if (word == "TLBGD") {
        return PrepareTlBackground(record);
    } else if (word == "PREHEAT") {
        return PreparePreheat(record);
    } else if (word == "OSL") {
        return PrepareOsl(record);
    } else if (word == "DOSL") {
        return PrepareExplicitTimeBase(record, false);
    } else if (word == "DMOSL") {
        return PrepareExplicitTimeBase(record, true);
    } else if (word == "MOSL") {
        return PrepareMosl(record);
    } else if (word == "BLEACH") {
        return PrepareBleach(record);
    } else if (word == "IRRAD") {
        return PrepareIrradiation(record);
    } else if (!IsModifier(word)) {
        return PreparationResult::Failed("Unknown command " + word + " cannot be prepared.");
    }
    return {}; // NORM, BGD, NODATA, NATL as commands: the modifier bits alone
}

ArgumentValue OperationPreparer::Next() {
    return arguments_.Next();
}

std::int32_t OperationPreparer::NextRounded(std::int32_t whenNotOk) {
    const ArgumentValue argument = Next();
    return argument.ok ? RoundToInt(argument.value) : whenNotOk;
}

bool OperationPreparer::Warn(const std::string& message) {
    return warnings_.Warn(message);
}

bool OperationPreparer::CheckCalibrationDate(const Device_type& irradiator) {
    const CivilDate calibrated = irradiator.calibrationDate.Unpack(context_.today);
    if (DaysFromCivil(calibrated) <= DaysFromCivil(context_.today)) {
        return true;
    }
    char date[32];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", calibrated.year, calibrated.month,
                  calibrated.day);
    std::string name = irradiator.description;
    if (!name.empty()) {
        name[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[0])));
    }
    // The decay correction would raise the dose rate above its calibrated value.
    return Warn("The calibration date of the " + name + ", " + date +
                ", lies after today: check the date in the system profile.");
}

bool OperationPreparer::CheckOslDevice(int device, bool forRamp) {
    return warnings_.CheckOslDevice(script_.profile.Devices, device, forRamp);
}

// ---- Heating ----

namespace {

// A heating the reader cannot run: no heating rate, or more points than a curve holds.
std::optional<PreparationResult> HeatingFault(const std::string& command, const TDataType& r) {
    if (r.RampRate <= 0) {
        return PreparationResult::Failed(command + " with a heating rate of " +
                                         std::to_string(r.RampRate) +
                                         " \260C/s cannot be run: the rate must be above 0.");
    }
    if (r.Points < 0 || r.Points > MaxPoints) {
        return PreparationResult::Failed(
            command + " to " + std::to_string(r.Temperature) +
            " \260C cannot be run: the temperature must be 0 to 5100 \260C (at most 1020 points "
            "of 5 \260C).");
    }
    if (r.HoldTime < 0 || r.PreheatTime < 0) {
        return PreparationResult::Failed(command + " with a hold time of " +
                                         std::to_string(r.HoldTime) + " s and a preheat time of " +
                                         std::to_string(r.PreheatTime) +
                                         " s cannot be run: times must be 0 s or more.");
    }
    return std::nullopt;
}

// Every heating step is a TL record without stimulation, one point per data space.
void StartHeating(TDataType& record) {
    record.Kind = OperationKind::TL;
    record.Increment = TlDataSpace;
    record.Device = DeviceCode::NoStimulation;
}

} // namespace

std::optional<PreparationResult> OperationPreparer::FinishHeating(const std::string& command,
                                                                  TDataType& record,
                                                                  double secondsAfterRamp) {
    record.Points = record.Temperature / TlDataSpace;
    if (auto fault = HeatingFault(command, record)) {
        return fault;
    }
    record.TimeoutMs = TimeoutMs(double(record.Temperature) / record.RampRate + secondsAfterRamp +
                                 TlOverheadSeconds);
    marks_.hot = marks_.hot || record.Temperature > 300;
    return std::nullopt;
}

PreparationResult OperationPreparer::PrepareTl(TDataType& record) {
    StartHeating(record);
    record.RampRate = NextRounded();
    record.PreheatType = 'S';
    record.PreheatTemp = NextRounded();
    record.PreheatTime = NextRounded();
    record.Temperature = NextRounded();
    record.HoldTime = NextRounded();
    record.CoolTemp = NextRounded();
    if (auto fault = FinishHeating("TL", record, double(record.PreheatTime) + record.HoldTime)) {
        return *fault;
    }
    marks_.heated = true;
    return {};
}

PreparationResult OperationPreparer::PrepareTlBackground(TDataType& record) {
    StartHeating(record);
    record.Purpose |= TDataType::PurposeBackground;
    record.RampRate = NextRounded();
    record.Temperature = NextRounded();
    record.CoolTemp = NextRounded();
    record.PreheatType = 'S';
    if (auto fault = FinishHeating("TLBGD", record, 0)) {
        return *fault;
    }
    return {};
}

PreparationResult OperationPreparer::PreparePreheat(TDataType& record) {
    StartHeating(record);
    record.Treatment |= TDataType::TreatmentWithoutData;
    record.RampRate = NextRounded();
    record.Temperature = NextRounded();
    record.HoldTime = NextRounded();
    record.PreheatType = 'W';
    record.CoolTemp = NextRounded();
    if (auto fault = FinishHeating("PREHEAT", record, record.HoldTime)) {
        return *fault;
    }
    marks_.heated = true;
    return {};
}

// ---- Stimulation with light ----

void OperationPreparer::ReadPowerAndTemperature(TDataType& record) {
    const ArgumentValue power = Next();
    record.Power = power.ok ? std::clamp(power.value, 0.0, 100.0) : 0.0;
    record.Temperature = std::clamp(NextRounded(), 0, 400);
}

void OperationPreparer::ReadSegments(TDataType& record) {
    double totalMs = 0;
    for (std::size_t i = 0; i < record.N.size(); ++i) {
        const ArgumentValue width = Next();
        const double seconds = width.ok ? std::clamp(width.value, 0.0, LongestDoslChannel) : 0.0;
        const IntervalSplit split = SplitInterval(RoundToInt(seconds * 1000.0));
        record.X[i] = split.X;
        record.Y[i] = split.Y;
        record.N[i] = std::clamp(NextRounded(), 0, 255);
        record.Points += record.N[i];
        totalMs += double(split.X) * split.Y * record.N[i];
    }
    const double totalSeconds = 0.001 * totalMs;
    record.TimeoutMs = TimeoutMs(totalSeconds + OslOverheadSeconds);
    if (marks_.exposed) {
        marks_.exposure = double(RoundToInt(totalSeconds / 60.0));
    }
}

PreparationResult OperationPreparer::PrepareOsl(TDataType& record) {
    record.Kind = OperationKind::OSL;
    const std::int32_t device = NextRounded();
    if (!CheckOslDevice(device, false)) {
        return PreparationResult::Failed({});
    }
    record.Device = Code(DeviceCode::OslMainChannel, device);
    ReadPowerAndTemperature(record);
    const ArgumentValue lum = Next();
    const ArgumentValue bleach = Next();
    const ArgumentValue bgd = Next();
    const double lumTime = lum.ok ? lum.value : 0.0;
    const double bleachTime = bleach.ok ? bleach.value : 0.0;
    const double bgdTime = bgd.ok ? bgd.value : 0.0;
    if (lumTime == 0 && bgdTime == 0) {
        record.Treatment |= TDataType::TreatmentWithoutData;
    }
    TimeBaseCalculator& calc = context_.calculator;
    calc.selectPage(TimeBasePage::OSL);
    calc.setVTXCheckBox(context_.veltraxCompatible);
    calc.setSystem(context_.consoleProfile.ReaderType == 4 ? 1 : 0);
    calc.setLumTime(lumTime);
    calc.setBleachTime(bleachTime);
    calc.setBgdTime(bgdTime);
    const TimeBaseResult planned = calc.MakeTB();
    if (!planned.planned()) {
        return PreparationResult::Failed("OSL on disk " + std::to_string(disk_.number) + ": " +
                                         planned.message);
    }
    for (int i = 0; i < TimeBaseCalculator::Bases; ++i) {
        record.X[i] = calc.X(i);
        record.Y[i] = calc.Y(i);
        record.N[i] = calc.N(i);
    }
    record.Points = calc.TotPts();
    record.TimeoutMs = TimeoutMs(calc.TotTime() + OslOverheadSeconds);
    if (bleachTime > 0 && !normalization_) {
        marks_.exposed = true;
    }
    if (marks_.exposed) {
        marks_.exposure = double(RoundToInt(calc.TotOSL() / 60.0));
    }
    return {};
}

PreparationResult OperationPreparer::PrepareExplicitTimeBase(TDataType& record, bool ramp) {
    record.Kind = ramp ? OperationKind::VMOSL : OperationKind::OSL;
    const std::int32_t device = NextRounded();
    if (!CheckOslDevice(device, ramp)) {
        return PreparationResult::Failed({});
    }
    record.Device = Code(ramp ? DeviceCode::RampedOsl : DeviceCode::OslMainChannel, device);
    ReadPowerAndTemperature(record);
    ReadSegments(record);
    if (ramp) {
        if (record.Points == 0) {
            return PreparationResult::Failed(
                "DMOSL on disk " + std::to_string(disk_.number) +
                " cannot be planned: all four channel counts are 0, and its power ramp needs "
                "at least one point.");
        }
        std::int32_t increment =
            std::max(1, RoundToInt(record.Power * FullPowerSteps * 0.01 / record.Points));
        while (increment > 0 && increment * record.Points > FullPowerSteps) {
            --increment;
        }
        record.PowerIncrement = increment;
        record.Power = double(increment) * record.Points * 100.0 / FullPowerSteps;
    }
    script_.commandFlags |= CommandFlagExplicitTimeBase;
    return {};
}

PreparationResult OperationPreparer::PrepareMosl(TDataType& record) {
    record.Kind = OperationKind::LMOSL;
    const std::int32_t device = NextRounded();
    if (!CheckOslDevice(device, true)) {
        return PreparationResult::Failed({});
    }
    record.Device = Code(DeviceCode::RampedOsl, device);
    ReadPowerAndTemperature(record);
    const ArgumentValue time = Next();
    const double seconds = time.ok ? time.value : 0.0;
    TimeBaseCalculator& calc = context_.calculator;
    calc.selectPage(TimeBasePage::MOSL);
    calc.setMaxPower(record.Power);
    calc.setMOSLTime(seconds);
    calc.setKindOfModulation(0);
    const TimeBaseResult planned = calc.MakeTB();
    const std::string what = "MOSL on disk " + std::to_string(disk_.number);
    if (planned.outcome == TimeBaseOutcome::CannotBePlanned) {
        return PreparationResult::Failed(what + ": " + planned.message);
    }
    if (planned.outcome == TimeBaseOutcome::NoSolution) {
        return PreparationResult::Failed(
            what + ": LM-OSL of " + Number(record.Power) + " % for " + Number(seconds) +
            " s cannot be planned: no ramp of equal power steps fits the time within 1.5 %.");
    }
    record.Power = calc.MaxPower();
    record.PowerIncrement = calc.IncrementLab();
    record.XFactor = calc.X(0);
    record.YFactor = calc.Y(0);
    for (int i = 0; i < TimeBaseCalculator::Bases; ++i) {
        record.X[i] = calc.X(i);
        record.Y[i] = calc.Y(i);
        record.N[i] = calc.N(i);
    }
    record.Points = calc.TotPts();
    record.TimeoutMs = TimeoutMs(calc.TotTime() + OslOverheadSeconds);
    if (!normalization_) {
        marks_.exposed = true;
    }
    if (marks_.exposed) {
        marks_.exposure = calc.MOSLTime() / 60.0;
    }
    return {};
}

PreparationResult OperationPreparer::PrepareBleach(TDataType& record) {
    record.Kind = OperationKind::OSL;
    record.Treatment |= TDataType::TreatmentWithoutData;
    const std::int32_t device = NextRounded(-1);
    if (device != 0 &&
        !Warn("Bleach device " + std::to_string(device) + " not in current profile!")) {
        return PreparationResult::Failed({});
    }
    record.Device = Code(DeviceCode::ExternalLampFirst, device);
    const ArgumentValue power = Next();
    record.Power = power.ok ? power.value : 0.0;
    record.Temperature = NextRounded();
    const ArgumentValue time = Next();
    const double seconds = time.ok ? time.value : 0.0;
    if (seconds < 0) {
        return PreparationResult::Failed("BLEACH on disk " + std::to_string(disk_.number) +
                                         ": a bleach of " + Number(seconds) +
                                         " s cannot be run: the time must be 0 s or more.");
    }
    record.BleachTime = seconds;
    const bool endless = std::isinf(seconds);
    record.TimeoutMs = endless ? InfiniteBleachTimeoutMs : TimeoutMs(seconds + OslOverheadSeconds);
    marks_.exposed = true;
    marks_.exposure = endless ? 0.0 : seconds / 60.0;
    marks_.hot = marks_.hot || endless;
    return {};
}

// ---- Irradiation ----

PreparationResult OperationPreparer::PrepareIrradiation(TDataType& record) {
    const SystemProfile& profile = script_.profile;
    record.Kind = OperationKind::Irradiation;
    record.Treatment |= TDataType::TreatmentWithoutData;
    record.Device = DeviceCode::IrradiationBase;
    const std::int32_t source = NextRounded(-1);
    if (!SourceInProfile(profile, source) &&
        !Warn("Irradiator " + std::to_string(source) + " not in current profile!")) {
        return PreparationResult::Failed({});
    }
    record.Device = Code(record.Device, source);
    const std::int32_t position = NextRounded(-1);
    if (!PositionInProfile(profile, source, position) &&
        !Warn("Irradiator position " + std::to_string(position) + " not in current profile!")) {
        return PreparationResult::Failed({});
    }
    record.Device = Code(record.Device, position);
    record.IrradPosition = position;
    const long long entry = static_cast<long long>(source) + position;
    const int tableEntry = entry >= 0 && entry < IrradiatorEntries ? int(entry) : -1;
    record.Source = IrradiatorLetter(tableEntry);
    Device_type* irradiator =
        tableEntry < 0
            ? nullptr
            : script_.devices.FindDevice("Irradiator", IrradiatorDescription(tableEntry));
    if (irradiator == nullptr) {
        const std::string message =
            "Irradiator\r\n" + IrradiatorName(tableEntry) + "is not defined in the profile";
        context_.prompter.warn(message, false, false);
        PreparationResult missing = PreparationResult::Failed(message);
        missing.shown = true;
        return missing;
    }
    record.Temperature = NextRounded();
    if (record.Temperature > 100) {
        marks_.heated = true;
    }
    const ArgumentValue dose = Next();
    return FinishIrradiation(record, *irradiator, dose.ok ? dose.value : 0.0);
}

PreparationResult OperationPreparer::FinishIrradiation(TDataType& record,
                                                       const Device_type& irradiator, double dose) {
    const std::string what = "IRRAD on disk " + std::to_string(disk_.number) + ": ";
    if (!CheckCalibrationDate(irradiator)) {
        return PreparationResult::Failed({});
    }
    const double rate = IrradiatorRateOn(irradiator, context_.today);
    if (!(rate > 0) || !std::isfinite(rate)) {
        return PreparationResult::Failed(what + "the " + irradiator.description +
                                         " has no dose rate left to give a dose with.");
    }
    if (dose < 0) {
        return PreparationResult::Failed(what + "a dose of " + Number(dose) +
                                         " Gy cannot be given.");
    }
    const double seconds = std::nearbyint(dose / rate);
    if (seconds > double(std::numeric_limits<std::int32_t>::max())) {
        return PreparationResult::Failed(what + "a dose of " + Number(dose) +
                                         " Gy would take longer than the reader can count.");
    }
    record.IrradTime = RoundToInt(seconds);
    record.Dose = rate * record.IrradTime;
    record.PositionOffset = irradiator.portOffset;
    const int arm = context_.consoleProfile.WhatBIrrad;
    record.ArmOffset = arm == 3 || arm == 4 ? 4 : 0;
    record.TimeoutMs = TimeoutMs(double(record.IrradTime) + IrradiationOverheadSeconds);
    if (!normalization_) {
        marks_.irradiated = true;
    }
    return {};
}

} // namespace gw
