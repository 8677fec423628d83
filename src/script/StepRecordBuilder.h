#pragma once

#include "profile/PackedDate.h"
#include "script/ArgumentReader.h"
#include "script/ProfileWarnings.h"
#include "script/StepRecord.h"

#include <cstddef>
#include <string>

namespace gw {

class Prompter;
struct sc_Command;
struct sc_Item;
struct sc_Script;

// What a step record build needs besides the script and the disk.
struct StepRecordContext {
    Prompter& prompter;
    CivilDate today; // the irradiation date, and the day the dose rates are reckoned to
};

// Builds the step record of the disk's commands from its record cursor up to its run cursor
// (or its last command), reading at least one command. Without a record cursor the result is
// true and nothing changes. On success the record is handed over and the record cursor moves on;
// on failure (Abort at a warning, or a missing irradiator) the result is false and neither
// changes. ignoreAll belongs to the caller: while it is set the profile warnings are not shown.
bool BuildStepRecord(sc_Script& script, sc_Item& disk, StepRecord& record, bool& ignoreAll,
                     StepRecordContext& context);

// A disk's step records start again from its first command, with the record-side bookkeeping
// cleared: the run calls this when it resets its disks.
void RestartStepRecords(sc_Item& disk);

// Reads one build: the commands in order, each into the one record.
class StepRecordBuilder {
public:
    StepRecordBuilder(sc_Script& script, sc_Item& disk, bool& ignoreAll,
                      StepRecordContext& context);

    // Clears the record and starts it for the disk.
    void Start(StepRecord& record);
    // Adds one command; false when the build fails.
    bool Read(const sc_Command& command, StepRecord& record);

private:
    ArgumentValue Next();
    void Skip(int count);

    void ReadTl(StepRecord& record);
    void ReadTlBackground(StepRecord& record);
    void ReadPreheat(StepRecord& record);
    bool ReadOsl(StepRecord& record);
    bool ReadMosl(StepRecord& record);
    // The device argument with its check, then the parts OSL and LM-OSL share; false when the
    // operator aborts.
    bool ReadDevice(StepRecord& record, int base, bool forRamp);
    // The parts OSL and LM-OSL share after the device check: purpose, preheat, power, sample.
    void ReadLightMeasurement(StepRecord& record);
    bool ReadIrradiation(StepRecord& record);
    bool ReadBleach(StepRecord& record);
    void ExposureBeforeMeasurement(StepRecord& record, bool withRecordExposure);

    sc_Script& script_;
    sc_Item& disk_;
    StepRecordContext& context_;
    ArgumentReader arguments_;
    ProfileWarnings warnings_;
    bool normalization_ = false; // N: the command carries NORM
    bool background_ = false;    // B: the command carries BGD
    bool preheatRead_ = false;
    bool irradiationRead_ = false;
    bool bleachRead_ = false;
    double bleachMinutes_ = 0; // bleach exposure read in this build
};

} // namespace gw
