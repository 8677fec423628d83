#pragma once

#include "engine/RecordLines.h"

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

    explicit RecordKeeper(Console& console) : console_(console) {}

    // True when the record is in a file (its own or the one chosen), false when it is kept.
    bool write(const std::string& path, const RecordLines& lines);

    const std::vector<KeptRecord>& kept() const { return kept_; }
    // The file the last record written went to: its own, or the one chosen with "Save as...".
    const std::string& writtenTo() const { return writtenTo_; }
    // Offers every kept record once more; true when none is left.
    bool offerKept();
    // The close question: the kept records are offered again, and with some still unwritten the
    // operator is asked whether to close and lose them. True when the console may close.
    bool confirmClose();

private:
    // Asks until the record is written or the operator cancels.
    bool settle(const KeptRecord& record, std::string reason);

    Console& console_;
    std::vector<KeptRecord> kept_;
    std::string writtenTo_;
};

} // namespace gw
