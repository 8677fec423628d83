#pragma once

#include "engine/RecordLines.h"
#include "platform/AppendRecord.h"

#include <cstdint>
#include <string>
#include <vector>

namespace gw {

class Console;

// Appends records to data files so that none is lost: a record that cannot be written is told to
// the operator with its path and the system's reason, with Retry, "Save as..." and Cancel. A
// cancelled record is kept in memory and offered again (before the console closes); every outcome
// is logged.
class RecordKeeper {
public:
    struct KeptRecord {
        std::string path;
        RecordLines lines;
    };

    // Where a record went, and its bytes' place and digest in that file.
    struct WrittenRecord {
        std::string path;
        std::int64_t offset = -1;
        std::int64_t length = 0;
        std::string sha256;
    };

    explicit RecordKeeper(Console& console) : console_(console) {}

    // True when the record is in a file (its own or the one chosen), false when it is kept.
    bool write(const std::string& path, const RecordLines& lines);

    const std::vector<KeptRecord>& kept() const { return kept_; }
    // The last record written, and how many have been written so far.
    const WrittenRecord& lastWritten() const { return lastWritten_; }
    int writtenCount() const { return writtenCount_; }
    // The file the last record written went to: its own, or the one chosen with "Save as...".
    const std::string& writtenTo() const { return lastWritten_.path; }
    // Offers every kept record once more; true when none is left.
    bool offerKept();
    // The close question: the kept records are offered again, and with some still unwritten the
    // operator is asked whether to close and lose them. True when the console may close.
    bool confirmClose();

private:
    // Asks until the record is written or the operator cancels.
    bool settle(const KeptRecord& record, std::string reason);
    void noteWritten(const std::string& path, const platform::AppendOutcome& outcome);

    Console& console_;
    std::vector<KeptRecord> kept_;
    WrittenRecord lastWritten_;
    int writtenCount_ = 0;
};

} // namespace gw
