#include "script/StepRecordBuilder.h"

#include "core/Prompter.h"
#include "script/ChannelLayout.h"
#include "script/CommandWords.h"
#include "script/Device_type.h"
#include "script/IrradiatorTable.h"
#include "script/ProfileChecks.h"
#include "script/sc_Script.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace gw {

namespace {

constexpr int OslDeviceBase = 20;
constexpr int RampedOslDeviceBase = 40;
constexpr int HotAbove = 300; // degrees C
constexpr double SecondsPerMinute = 60.0;

std::int16_t To16(double value) {
    const std::int32_t rounded = RoundToInt(value);
    return std::int16_t(std::clamp<std::int32_t>(rounded, std::numeric_limits<std::int16_t>::min(),
                                                 std::numeric_limits<std::int16_t>::max()));
}

std::int16_t Add16(std::int16_t sum, std::int32_t more) {
    return To16(double(sum) + double(more));
}

// A period or a dose as the record uses it: 0 when it cannot be evaluated or is not finite.
double Amount(const ArgumentValue& argument) {
    return argument.ok && std::isfinite(argument.value) ? argument.value : 0.0;
}

} // namespace

bool BuildStepRecord(sc_Script& script, sc_Item& disk, StepRecord& record, bool& ignoreAll,
                     StepRecordContext& context) {
    disk.recordWorkingCursor = disk.recordCursor;
    if (disk.recordWorkingCursor == disk.commands.End()) {
        return true;
    }
    StepRecord built;
    StepRecordBuilder builder(script, disk, ignoreAll, context);
    builder.Start(built);
    do {
        if (!builder.Read(*disk.recordWorkingCursor, built)) {
            return false;
        }
        ++disk.recordWorkingCursor;
    } while (disk.recordWorkingCursor != disk.runCursor &&
             disk.recordWorkingCursor != disk.commands.End());
    built.diskText = disk.text.substr(0, StepRecord::DiskTextLength);
    record = std::move(built);
    disk.recordCursor = disk.recordWorkingCursor;
    return true;
}

void RestartStepRecords(sc_Item& disk) {
    disk.recordCursor = disk.commands.begin();
    disk.recordWorkingCursor = disk.commands.begin();
    disk.recordExposure = 0;
    disk.recordExposed = false;
    disk.recordHot = false;
}

StepRecordBuilder::StepRecordBuilder(sc_Script& script, sc_Item& disk, bool& ignoreAll,
                                     StepRecordContext& context)
    : script_(script), disk_(disk), context_(context),
      arguments_(script.variables, context.prompter), warnings_(context.prompter, ignoreAll) {}

void StepRecordBuilder::Start(StepRecord& record) {
    record = StepRecord{};
    record.position = To16(disk_.position);
    record.irradiatorLetter = ' ';
    preheatRead_ = irradiationRead_ = bleachRead_ = false;
    bleachMinutes_ = 0;
}

bool StepRecordBuilder::Read(const sc_Command& command, StepRecord& record) {
    const CommandWords words = CommandWords::Of(command.name);
    const std::string& word = words.word;
    normalization_ = words.normalization;
    background_ = words.background;
    if (normalization_) {
        record.normalisation = 1;
    }
    arguments_.Start(command.arguments);
    if (word == "TL") {
        ReadTl(record);
    } else if (word == "TLBGD") {
        ReadTlBackground(record);
    } else if (word == "PREHEAT") {
        ReadPreheat(record);
    } else if (word == "OSL") {
        return ReadOsl(record);
    } else if (word == "MOSL") {
        return ReadMosl(record);
    } else if (word == "IRRAD") {
        return ReadIrradiation(record);
    } else if (word == "BLEACH") {
        return ReadBleach(record);
    }
    return true;
}

ArgumentValue StepRecordBuilder::Next() {
    return arguments_.Next();
}

void StepRecordBuilder::Skip(int count) {
    for (int i = 0; i < count; ++i) {
        Next();
    }
}

// ---- Heating ----

void StepRecordBuilder::ReadTl(StepRecord& record) {
    if (const ArgumentValue rate = Next(); rate.ok) {
        record.heatingRate = To16(rate.value);
    }
    if (preheatRead_) {
        Skip(2); // the PREHEAT of this record stands for the preheat
    } else {
        record.preheatType = 'S';
        if (const ArgumentValue temperature = Next(); temperature.ok) {
            record.preheatTemperature = To16(temperature.value);
        }
        if (const ArgumentValue time = Next(); time.ok) {
            record.preheatTime = To16(time.value);
        }
    }
    if (const ArgumentValue end = Next(); end.ok) {
        record.endTemperature = To16(end.value);
    }
    record.device = 0;
    record.notBackground = background_ ? 0 : 1;
    record.natural = !disk_.recordHot && !normalization_ && !background_ ? 1 : 0;
    disk_.recordHot = disk_.recordHot || record.endTemperature > HotAbove;
}

void StepRecordBuilder::ReadTlBackground(StepRecord& record) {
    if (const ArgumentValue rate = Next(); rate.ok) {
        record.heatingRate = To16(rate.value);
    }
    if (const ArgumentValue end = Next(); end.ok) {
        record.endTemperature = To16(end.value);
    }
    record.preheatType = 'S';
    record.preheatTemperature = 0;
    record.preheatTime = 0;
    record.device = 0;
    record.notBackground = 0;
    record.natural = !disk_.recordHot && !background_ ? 1 : 0;
    disk_.recordHot = disk_.recordHot || record.endTemperature > HotAbove;
}

void StepRecordBuilder::ReadPreheat(StepRecord& record) {
    preheatRead_ = true;
    if (const ArgumentValue rate = Next(); rate.ok) {
        record.heatingRate = To16(rate.value);
    }
    if (const ArgumentValue temperature = Next(); temperature.ok) {
        record.preheatTemperature = To16(temperature.value);
    }
    if (const ArgumentValue time = Next(); time.ok) {
        record.preheatTime = To16(time.value);
    }
    record.preheatType = 'W';
    disk_.recordHot = disk_.recordHot || record.preheatTemperature > HotAbove;
}

// ---- Stimulation with light ----

void StepRecordBuilder::ExposureBeforeMeasurement(StepRecord& record, bool withRecordExposure) {
    if (script_.singleAliquot && !normalization_) {
        record.exposedBefore = disk_.recordExposed ? 1 : 0;
        if (withRecordExposure) {
            record.exposure = disk_.recordExposure;
        }
    }
    // An irradiation since the exposure makes the disk fresh again.
    if (disk_.recordExposed && record.irradiationTime > 0 && !normalization_) {
        disk_.recordExposed = false;
    }
}

bool StepRecordBuilder::ReadDevice(StepRecord& record, int base, bool forRamp) {
    const ArgumentValue device = Next();
    const std::int32_t number = device.ok ? RoundToInt(device.value) : 0;
    if (device.ok && !warnings_.CheckOslDevice(script_.profile.Devices, number, forRamp)) {
        return false;
    }
    record.device = To16(double(base) + number);
    ReadLightMeasurement(record);
    return true;
}

void StepRecordBuilder::ReadLightMeasurement(StepRecord& record) {
    record.notBackground = background_ ? 0 : 1;
    record.natural = !disk_.recordHot && !normalization_ ? 1 : 0;
    if (!preheatRead_) {
        record.preheatType = 'W';
        record.preheatTemperature = 0;
        record.preheatTime = 0;
    }
    if (const ArgumentValue power = Next(); power.ok) {
        // Percent times 255 / 100 keeps 90 % at 229.5, which rounds to 230.
        record.power =
            std::uint8_t(RoundToInt(std::clamp(power.value, 0.0, 100.0) * 255.0 / 100.0));
    }
    if (const ArgumentValue sample = Next(); sample.ok) {
        record.sampleTemperature = std::uint8_t(RoundToInt(std::clamp(sample.value, 0.0, 255.0)));
    }
}

bool StepRecordBuilder::ReadOsl(StepRecord& record) {
    ExposureBeforeMeasurement(record, false);
    if (!ReadDevice(record, OslDeviceBase, false)) {
        return false;
    }
    const double luminescence = Amount(Next());
    const double bleach = Amount(Next());
    const double background = Amount(Next());
    if ((bleachRead_ || bleach > 0) && !normalization_) {
        disk_.recordExposed = true;
    }
    record.singleAliquotClean =
        script_.singleAliquot && !normalization_ && !background_ && bleach + background == 0 ? 1
                                                                                             : 0;
    if (disk_.recordExposed && !normalization_) {
        disk_.recordExposure += (luminescence + bleach + background) / SecondsPerMinute;
    }
    record.channelLayout = ChannelLayout(luminescence, bleach, background);
    return true;
}

bool StepRecordBuilder::ReadMosl(StepRecord& record) {
    ExposureBeforeMeasurement(record, true);
    if (!ReadDevice(record, RampedOslDeviceBase, true)) {
        return false;
    }
    const double seconds = Amount(Next());
    record.singleAliquotClean = 0;
    if (disk_.recordExposed) {
        disk_.recordExposure = seconds / SecondsPerMinute;
    }
    return true;
}

bool StepRecordBuilder::ReadBleach(StepRecord& record) {
    bleachRead_ = true;
    record.exposedBefore = irradiationRead_ ? 0 : 1;
    const ArgumentValue device = Next();
    if (device.ok && RoundToInt(device.value) != 0 &&
        !warnings_.Warn("Bleach device " + std::to_string(RoundToInt(device.value)) +
                        " not in current profile!")) {
        return false;
    }
    Skip(2);
    const double minutes = Amount(Next()) / SecondsPerMinute;
    record.exposure += minutes;
    bleachMinutes_ += minutes;
    disk_.recordExposed = true;
    return true;
}

// ---- Irradiation ----

bool StepRecordBuilder::ReadIrradiation(StepRecord& record) {
    irradiationRead_ = true;
    const ArgumentValue sourceArgument = Next();
    const std::int32_t source = sourceArgument.ok ? RoundToInt(sourceArgument.value) : -1;
    if (!SourceInProfile(script_.profile, source) &&
        !warnings_.Warn("Irradiator " + std::to_string(source) + " not in current profile!")) {
        return false;
    }
    const ArgumentValue positionArgument = Next();
    const std::int32_t position = positionArgument.ok ? RoundToInt(positionArgument.value) : -1;
    if (!PositionInProfile(script_.profile, source, position) &&
        !warnings_.Warn("Irradiator position " + std::to_string(position) +
                        " not in current profile!")) {
        return false;
    }
    const long long entry = static_cast<long long>(source) + position;
    const int tableEntry = entry >= 0 && entry < IrradiatorEntries ? int(entry) : -1;
    record.irradiatorLetter = IrradiatorLetter(tableEntry);
    const Device_type* irradiator =
        tableEntry < 0
            ? nullptr
            : script_.devices.FindDevice("Irradiator", IrradiatorDescription(tableEntry));
    if (irradiator == nullptr) {
        context_.prompter.warn("Irradiator\r\n" + IrradiatorName(tableEntry) +
                                   "is not defined in the profile",
                               false, false);
        return false;
    }
    Skip(1);
    const double dose = Amount(Next());
    const double rate = IrradiatorRateOn(*irradiator, context_.today);
    record.irradiationDate = PackedDate::Pack(context_.today);
    record.doseRate = rate;
    record.rateUnit = irradiator->doseRateUnit.substr(0, StepRecord::RateUnitLength);
    if (rate > 0 && std::isfinite(rate)) {
        record.irradiationTime = Add16(record.irradiationTime, RoundToInt(dose / rate));
    }
    if (!normalization_) {
        // The bleaches of this record before the irradiation stay part of its exposure.
        record.exposure = disk_.recordExposure + bleachMinutes_;
        disk_.recordExposure = 0;
    }
    return true;
}

} // namespace gw
