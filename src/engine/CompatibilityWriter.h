#pragma once

#include "engine/BackgroundTable.h"
#include "engine/CompatibilityBookkeeping.h"
#include "engine/CompatibilityHeader.h"
#include "engine/FixedRecordFile.h"
#include "profile/FileBytes.h"
#include "profile/PackedDate.h"
#include "profile/SystemProfile.h"
#include "script/StepRecord.h"

#include <functional>
#include <string>
#include <vector>

namespace gw {

class PointTable;
struct TDataType;

// The binary data file and the subtraction file of one counter channel.
struct CompatibilityChannelFiles {
    std::string data;        // ".dat"
    std::string subtraction; // ".sub"
};

// What a run's binary data needs to know once, when the run is prepared.
struct CompatibilitySettings {
    SystemProfile profile; // the script's copy of the profile
    int filterNumber = 0;  // FilterNum of the console's current profile
    bool singleAliquot = false;
    std::vector<CompatibilityChannelFiles> channels; // one per counter channel
    FixedRecordFile::Sync sync;                      // forces a written file to the disk
    std::function<CivilDate()> today = TodayLocal;
    std::function<void(const std::string&)> log; // notes for the console log
};

// One finished step of a script run, as the script finisher hands it over.
struct CompatibilityStep {
    const TDataType& operation;
    const PointTable& points;
    int platter = -1;    // of the step's disk
    int diskNumber = -1; // the disk's number in the script
    // Builds the step record of the disk (BuildStepRecord with ignore-all set); asked only for a
    // step that writes a binary record. False when the build failed.
    std::function<bool(StepRecord&)> stepRecord;
};

// The binary data of one script run in the older analysis format: for every counter channel a
// ".dat" file with a 990-byte record per TL or OSL measurement and a ".sub" file with the
// background-corrected curve of every measurement that is not a background. Records already in
// the files stay untouched; the run's records follow them.
class CompatibilityWriter {
public:
    explicit CompatibilityWriter(CompatibilitySettings settings);

    // Opens (or creates) every channel's files, counting the records they hold, and starts the
    // header.
    FileError Open();
    // Called after every finished step of the run: the step's changes to the header, and for a
    // measurement its record in every channel with the background subtraction.
    FileError AddStep(const CompatibilityStep& step);

    // What a resumed run needs to carry the files on: the counts, the tables and the header.
    CompatibilityBookkeeping Bookkeeping() const;
    // Opens the files of an interrupted run, cut back to its last journalled record, and takes
    // its bookkeeping up again instead of starting afresh.
    FileError Resume(const CompatibilityBookkeeping& kept);

    // TL and OSL-kind measurements write a record; treatments and irradiations do not.
    static bool WritesRecord(const TDataType& operation);

    int RecordCount() const { return recordCount_; }
    int MeasurementCount() const { return measurementCount_; }
    const BackgroundTable& Table(int channel) const {
        return channels_[std::size_t(channel)].table;
    }

private:
    struct Channel {
        FixedRecordFile data;
        FixedRecordFile subtraction;
        BackgroundTable table;
    };

    BinaryRecord MeasurementRecord(const CompatibilityStep& step);
    void FillCurve(BinaryRecord& record, const CompatibilityStep& step, int channel) const;
    FileError WriteChannel(int channel, BinaryRecord record, const CompatibilityStep& step);
    FileError SubtractBackgrounds(int channel, int record, int curveCode,
                                  const CompatibilityStep& step);
    FileError Subtract(int channel, int measurement, int reference);
    CivilDate Today() const;
    void Log(const std::string& text) const;

    CompatibilitySettings settings_;
    CompatibilityHeader header_;
    std::vector<Channel> channels_;
    int recordCount_ = -1;
    int measurementCount_ = -1;
};

} // namespace gw
