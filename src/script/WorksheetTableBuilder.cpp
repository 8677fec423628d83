#include "script/WorksheetTableBuilder.h"

#include "script/CommandWords.h"
#include "script/DiskExpander.h"
#include "script/IrradiatorTable.h"
#include "script/ScriptLexer.h"
#include "script/ScriptNumbers.h"
#include "script/StepDescription.h"
#include "script/sc_Script.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace gw {

namespace {

constexpr int OslDeviceBase = 20;
constexpr int OslDeviceCount = 9; // OSL, OSL1 .. OSL7, IRSL

template <typename Entry> const Entry* FindOrAdd(std::list<Entry>& table, const Entry& wanted) {
    const auto found = std::find(table.begin(), table.end(), wanted);
    return found != table.end() ? &*found : &table.emplace_back(wanted);
}

// "OSL", "OSL1" .. "OSL7", "IRSL" for the OSL devices 0 to 8; empty otherwise.
std::string OslDeviceName(int device) {
    if (device == 0) {
        return "OSL";
    }
    if (device >= 1 && device <= 7) {
        return "OSL" + std::to_string(device);
    }
    return device == 8 ? "IRSL" : "";
}

bool TablesEmpty(const WorksheetTables& tables) {
    return tables.measurements.empty() && tables.preheats.empty() && tables.bleachings.empty() &&
           tables.irradiators.empty() && tables.groups.empty() && tables.platters.empty();
}

void MakePlatters(const sc_Script& script, WorksheetTables& tables) {
    int highestPlatter = -1;
    // A 3550 numbers its 57 positions up to 59.
    int positions = PositionsPerPlatter(script.profile.ReaderType);
    for (const sc_Item& disk : script.Disks().disks) {
        highestPlatter = std::max(highestPlatter, disk.platter);
        positions = std::max(positions, disk.position + 1);
    }
    tables.platters.assign(std::size_t(highestPlatter + 1), ws_Platter{});
    for (ws_Platter& platter : tables.platters) {
        platter.positions.resize(std::size_t(positions));
    }
}

void PlaceDisk(const sc_Item& disk, WorksheetTables& tables) {
    if (disk.platter < 0 || disk.position < 0) {
        return;
    }
    ws_Platter& platter = tables.platters[std::size_t(disk.platter)];
    ++platter.diskCount;
    ws_Position& position = platter.positions[std::size_t(disk.position)];
    position.number = disk.position;
    position.remark = disk.label;
}

// The irradiator of the disk's commands from its record cursor on that the device list lacks,
// named for the operator.
std::string MissingIrradiator(const sc_Script& script, const sc_Item& disk) {
    for (sc_Chain<sc_Command>::ConstIterator command = disk.recordCursor;
         command != disk.commands.end(); ++command) {
        if (CommandWords::Of(command->name).word != "IRRAD") {
            continue;
        }
        std::size_t pos = 1;
        const std::string sourceText = NextToken(command->arguments, pos);
        const std::string positionText = NextToken(command->arguments, pos);
        const auto source = ParseScriptReal(sourceText);
        const auto position = ParseScriptReal(positionText);
        const int entry = source && position ? int(std::lround(*source + *position)) : -1;
        const std::string description = IrradiatorDescription(entry);
        const auto& devices = script.devices.Devices();
        const bool listed = std::any_of(devices.begin(), devices.end(), [&](const auto& device) {
            return device.kind == "Irradiator" && device.description == description;
        });
        if (entry < 0 || entry >= IrradiatorEntries) {
            return "source " + sourceText + " position " + positionText;
        }
        if (!listed) {
            return IrradiatorName(entry);
        }
    }
    return "of an IRRAD command";
}

} // namespace

WorksheetTablesResult BuildWorksheetTables(sc_Script& script, WorksheetTables& tables,
                                           StepRecordContext& context, char decimalSeparator) {
    WorksheetTablesResult result;
    if (!TablesEmpty(tables)) {
        return result;
    }
    MakePlatters(script, tables);
    DescribeDisks(script, decimalSeparator);
    WorksheetTableBuilder builder(script, tables);
    bool ignoreAll = true;
    for (sc_Item& disk : script.Disks().disks) {
        PlaceDisk(disk, tables);
        RestartStepRecords(disk);
        // A disk without commands has no step record.
        while (disk.recordCursor != disk.commands.End()) {
            StepRecord record;
            if (!BuildStepRecord(script, disk, record, ignoreAll, context)) {
                // The cursor stays where the build failed: stop instead of trying for ever.
                result.ok = false;
                result.message = "Disk " + std::to_string(disk.number) +
                                 ": no step record can be built, the irradiator " +
                                 MissingIrradiator(script, disk) + " is not defined in the profile";
                return result;
            }
            builder.Add(disk, record);
            ++result.stepRecords;
        }
    }
    tables.stepRecords = result.stepRecords;
    return result;
}

void WorksheetTableBuilder::Add(const sc_Item& disk, const StepRecord& record) {
    ws_Group& group = Group(disk, record);
    if (std::find(group.disks.begin(), group.disks.end(), disk.number) == group.disks.end()) {
        group.disks.push_back(disk.number);
    }
    if (disk.platter >= 0 && disk.position >= 0) {
        ws_Position& position =
            tables_.platters[std::size_t(disk.platter)].positions[std::size_t(disk.position)];
        if (position.group == nullptr) {
            position.group = &group;
        }
    }
}

const ws_Measurement* WorksheetTableBuilder::Measurement(const StepRecord& record) {
    ws_Measurement wanted;
    wanted.heatingRate = record.heatingRate;
    wanted.channelLayout = record.channelLayout;
    if (record.device == 0) {
        wanted.device = script_.devices.FindDevice("TL", "TL heater");
        wanted.temperature = record.endTemperature;
    } else if (record.device >= OslDeviceBase && record.device < OslDeviceBase + OslDeviceCount) {
        const int device = record.device - OslDeviceBase;
        wanted.device = script_.devices.FindDevice("OSL", OslDeviceName(device));
        wanted.temperature = record.sampleTemperature;
        const int filter = script_.profile.Devices.DetFilter[std::size_t(device)];
        wanted.filter =
            script_.devices.FindDevice("Detector filter", "Det filter #" + std::to_string(filter));
    }
    return wanted.device ? FindOrAdd(tables_.measurements, wanted) : nullptr;
}

const ws_Bleaching* WorksheetTableBuilder::Bleaching(const StepRecord& record) {
    if (!(record.exposure > 0)) {
        return nullptr;
    }
    const Device_type* device = nullptr;
    if (script_.singleAliquot && record.device >= OslDeviceBase) {
        const std::string name = OslDeviceName(record.device % OslDeviceBase);
        device = name.empty() ? nullptr : script_.devices.FindDevice("OSL", name);
    }
    if (device == nullptr) {
        device = script_.devices.FindDevice("Bleaching", "Bleaching lamp");
    }
    if (device == nullptr) {
        return nullptr;
    }
    const ws_Bleaching wanted{device, RoundToInt(record.exposure * 60), record.exposedBefore != 0};
    return FindOrAdd(tables_.bleachings, wanted);
}

const ws_Preheat* WorksheetTableBuilder::Preheat(const StepRecord& record) {
    if (record.preheatTime < 0 || record.preheatTemperature <= 0) {
        return nullptr;
    }
    const Device_type* device = script_.devices.FindDevice("Heater", "Pre-heater");
    if (device == nullptr) {
        return nullptr;
    }
    const ws_Preheat wanted{device, record.preheatTemperature, record.preheatType == 'S',
                            record.preheatTime};
    return FindOrAdd(tables_.preheats, wanted);
}

ws_Irradiation WorksheetTableBuilder::Irradiation(const StepRecord& record) {
    if (record.irradiationTime <= 0) {
        return {};
    }
    int entry = 0;
    while (entry < IrradiatorEntries && IrradiatorLetter(entry) != record.irradiatorLetter) {
        ++entry;
    }
    const Device_type* device =
        script_.devices.FindDevice("Irradiator", IrradiatorDescription(entry));
    if (device == nullptr) {
        return {};
    }
    auto irradiator = std::find_if(tables_.irradiators.begin(), tables_.irradiators.end(),
                                   [device](const auto& known) { return known.device == device; });
    if (irradiator == tables_.irradiators.end()) {
        irradiator = tables_.irradiators.insert(irradiator, ws_Irradiator{device, {}});
    }
    std::list<int>& times = irradiator->times;
    if (std::find(times.begin(), times.end(), record.irradiationTime) == times.end()) {
        times.push_back(record.irradiationTime);
    }
    return {&*irradiator, record.irradiationTime};
}

ws_Group& WorksheetTableBuilder::Group(const sc_Item& disk, const StepRecord& record) {
    // The entries are looked up for every record, so the devices they use count as referenced.
    const ws_Measurement* measurement = Measurement(record);
    const ws_Bleaching* bleaching = Bleaching(record);
    const ws_Preheat* preheat = Preheat(record);
    const ws_Irradiation irradiation = Irradiation(record);
    const auto found =
        std::find_if(tables_.groups.begin(), tables_.groups.end(),
                     [&disk](const ws_Group& group) { return group.sequence == disk.text; });
    if (found != tables_.groups.end()) {
        return *found;
    }
    ws_Group& group = tables_.groups.emplace_back();
    group.number = int(tables_.groups.size());
    group.description = "Group no #" + std::to_string(group.number);
    group.sequence = disk.text;
    group.measurement = measurement;
    group.preheat = preheat;
    group.bleaching = bleaching;
    group.irradiation = irradiation;
    group.background = record.notBackground == 0;
    group.normalisation = record.normalisation != 0;
    return group;
}

} // namespace gw
