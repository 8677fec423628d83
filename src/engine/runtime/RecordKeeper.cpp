#include "engine/runtime/RecordKeeper.h"

#include "console/runtime/Console.h"
#include "core/Prompter.h"
#include "platform/AppendRecord.h"

namespace gw {

bool RecordKeeper::write(const std::string& path, const RecordLines& lines) {
    const platform::AppendOutcome outcome = platform::AppendRecord(path, lines);
    if (outcome.written) {
        noteWritten(path, outcome);
        return true;
    }
    console_.AppendLog(": record not written to " + path + ": " + outcome.reason);
    if (settle({path, lines}, outcome.reason)) {
        return true;
    }
    kept_.push_back({path, lines});
    console_.AppendLog(": record kept in memory, not written (" + std::to_string(kept_.size()) +
                       " kept)");
    return false;
}

bool RecordKeeper::settle(const KeptRecord& record, std::string reason) {
    Prompter& prompter = console_.prompter();
    std::string path = record.path;
    for (;;) {
        switch (prompter.askUnwrittenRecord(path, reason)) {
        case UnwrittenRecordChoice::Cancel:
            console_.AppendLog(": writing the record cancelled by the operator");
            return false;
        case UnwrittenRecordChoice::SaveAs:
            if (auto chosen = prompter.askSaveFileName("Save record as", path)) {
                path = *chosen;
            } else {
                console_.AppendLog(": \"Save as...\" cancelled");
                continue;
            }
            break;
        case UnwrittenRecordChoice::Retry:
            break;
        }
        const platform::AppendOutcome outcome = platform::AppendRecord(path, record.lines);
        if (outcome.written) {
            noteWritten(path, outcome);
            console_.AppendLog(path == record.path ? ": record written to " + path + " on retry"
                                                   : ": record saved as " + path);
            return true;
        }
        reason = outcome.reason;
        console_.AppendLog(": record not written to " + path + ": " + reason);
    }
}

void RecordKeeper::noteWritten(const std::string& path, const platform::AppendOutcome& outcome) {
    lastWritten_ = {path, outcome.offset, outcome.length, outcome.sha256};
    ++writtenCount_;
}

bool RecordKeeper::offerKept() {
    std::vector<KeptRecord> still;
    for (const KeptRecord& record : kept_) {
        if (!settle(record, "kept in memory, not written yet")) {
            still.push_back(record);
        }
    }
    kept_ = std::move(still);
    return kept_.empty();
}

bool RecordKeeper::confirmClose() {
    if (kept_.empty() || offerKept()) {
        return true;
    }
    const std::string count = std::to_string(kept_.size());
    const Answer answer =
        console_.prompter().ask("Warning",
                                count + " record(s) could not be written and will be lost.\r"
                                        "Close anyway?",
                                QuestionButtons::YesNo);
    if (answer == Answer::Yes) {
        console_.AppendLog(": closing with " + count + " record(s) not written");
        return true;
    }
    console_.AppendLog(": closing refused: " + count + " record(s) not written");
    return false;
}

} // namespace gw
