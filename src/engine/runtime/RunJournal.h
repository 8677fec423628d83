#pragma once

#include "engine/CompatibilityBookkeeping.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace gw {

// The journal of a script run, kept beside its data file ("NAME.txt.run") so that a run cut
// short by a power cut, a crash or an abort can be resumed where it stopped. It is written
// before the first step and after every record, each time forced to disk before it replaces
// the previous journal.
struct RunJournal {
    // One record of the run in the data file: the step it belongs to and where it ends.
    struct Record {
        int platter = 0;
        int step = 0;
        int disk = 0;
        std::string kind;                 // the record's DataType
        std::int64_t end = 0;             // the data file's size once the record was written
        std::vector<std::int64_t> binary; // the binary files' sizes after the record's data
        // Not empty when the data file could not take the record and the operator saved it
        // elsewhere: the step is done (its disk was measured), its record is in that file.
        std::string savedTo;
    };
    // The record being written: where it starts and how long it is when whole.
    struct Pending {
        int platter = 0;
        int step = 0;
        std::int64_t start = 0;
        std::int64_t length = 0;
    };

    std::string scriptFile;
    std::string scriptDigest; // SHA-256 of the script text, hex
    std::string systemId;     // the profile's system ID
    std::string dataFile;
    std::vector<std::pair<std::string, std::string>> variables; // name, value
    std::uint32_t seed = 0;                                     // of a random sort
    std::int64_t dataStart = 0; // the data file's size before the run's first record
    // The compatibility switch's binary files (".dat" and ".sub" of every channel) and their
    // sizes before the run's first record.
    std::vector<std::string> binaryFiles;
    std::vector<std::int64_t> binaryStart;
    int platter = 0; // the step to take next
    int step = 0;
    int platterChanged = 0; // the last platter whose change the operator confirmed
    bool finished = false;
    int resumed = 0; // how often the run has been resumed
    std::vector<Record> records;
    std::optional<Pending> pending;
    // The binary data's bookkeeping after each of the last two records (compatibility switch
    // on): a data file that lost its last record can still go on from the one before.
    struct BinaryState {
        std::size_t records = 0; // the run's records written when it was taken
        CompatibilityBookkeeping kept;
    };
    std::vector<BinaryState> binaryStates;
    void KeepBinaryState(CompatibilityBookkeeping kept);
    // The bookkeeping that goes with the first whole records; none when it was not kept.
    const CompatibilityBookkeeping* BinaryStateAfter(std::size_t whole) const;

    // What the data file holds of the run.
    struct Holdings {
        bool valid = true;         // false: the file is shorter than before the run's first record
        std::size_t whole = 0;     // records of the run that are whole, in run order
        std::int64_t keep = 0;     // the size the file is cut back to (whatever follows is cut off)
        bool pendingWhole = false; // the record being written reached the file whole
    };
    // The data file, not the journal, tells what is done: a record counts when the file holds
    // all of it.
    Holdings Trust(std::int64_t fileSize) const;
    // The binary files' sizes that go with the first whole records.
    std::vector<std::int64_t> BinarySizes(std::size_t whole) const;

    static std::string PathFor(const std::string& dataFile) { return dataFile + ".run"; }
    static std::string Digest(const std::string& scriptText);

    std::string toJson() const;
    // Empty with the reason when the text is no journal.
    static std::optional<RunJournal> FromJson(const std::string& text, std::string& problem);

    // Written to a temporary file, forced to disk and renamed over the journal. False with the
    // system's reason when that fails.
    bool save(std::string& problem) const;
    // Empty with the reason when there is none or it cannot be read.
    static std::optional<RunJournal> Load(const std::string& dataFile, std::string& problem);
};

} // namespace gw
