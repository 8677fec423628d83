#include "engine/RunPreparer.h"

#include "engine/OperationTime.h"
#include "engine/ScriptDataFileName.h"
#include "script/OperationPreparer.h"
#include "script/sc_Script.h"

#include <algorithm>

namespace gw {

namespace {
constexpr std::uint16_t RandomSort = 32;
constexpr std::uint8_t BatchMode = 0;
} // namespace

RunPreparer::RunPreparer(sc_Script& script, PreparationContext& context)
    : script_(script), context_(context) {}

bool RunPreparer::positionsPlaced() const {
    const sc_List* positions = script_.lists.FindNode("POSITIONS");
    return positions != nullptr && positions->used;
}

bool RunPreparer::randomOrder() const {
    return script_.sortMode == RandomSort && !script_.singleAliquot && !positionsPlaced();
}

std::vector<std::vector<sc_Item*>> RunPreparer::Platters() {
    // Whatever placed the disks (the list of positions, the automatic numbering or the dose
    // sort), each runs on the platter its placement gave it, in list order there.
    int last = -1;
    for (const sc_Item& disk : script_.Disks().disks) {
        last = std::max(last, disk.platter);
    }
    std::vector<std::vector<sc_Item*>> platters(std::size_t(last + 1));
    for (sc_Item& disk : script_.Disks().disks) {
        if (disk.platter >= 0) {
            platters[std::size_t(disk.platter)].push_back(&disk);
        }
    }
    if (randomOrder()) {
        for (auto& disks : platters) {
            shuffleIntoSlots(disks);
        }
    }
    return platters;
}

// Each disk in turn goes into one of the platter's still free slots, every free slot equally
// likely.
void RunPreparer::shuffleIntoSlots(std::vector<sc_Item*>& disks) {
    std::vector<sc_Item*> slots(disks.size(), nullptr);
    std::vector<std::size_t> free(disks.size());
    for (std::size_t i = 0; i < free.size(); ++i) {
        free[i] = i;
    }
    for (sc_Item* disk : disks) {
        std::uniform_int_distribution<std::size_t> pick(0, free.size() - 1);
        const std::size_t chosen = pick(random_);
        slots[free[chosen]] = disk;
        free.erase(free.begin() + std::ptrdiff_t(chosen));
    }
    disks = std::move(slots);
}

bool RunPreparer::dryStep(sc_Item& disk, std::size_t platter, TPlatter& steps) {
    const PreparationResult result =
        PrepareNextOperation(script_, disk, scratch_, ignoreAll_, context_);
    if (!result.ok) {
        abortedByOperator_ = result.message.empty();
        return false;
    }
    const RunStep step{&disk, commandsTaken_[&disk]++, disk.platter};
    estimate_ += EstimatedTime(scratch_);
    steps.push_back(step);
    if (sink_) {
        sink_(platter, step, scratch_);
    }
    return true;
}

PreparedRun RunPreparer::PrepareRun() {
    PreparedRun run;
    const DataFileCheck check = CheckDataFileDirectory(
        PrepareDataFileName(script_.openText, context_.consoleProfile.VolID), context_.prompter);
    run.dataFile = check.path;
    if (!check.ok) {
        run.message = check.problem;
        return run;
    }
    if (script_.Disks().disks.Empty()) {
        run.message = "The script has no disk to measure.";
        return run;
    }
    // A script run before (or stopped) starts again from every disk's first command.
    ResetDisks(script_);
    scratch_ = TDataType{};
    scratch_.DataFile = run.dataFile;
    ignoreAll_ = false;
    estimate_ = 0;
    commandsTaken_.clear();
    const bool batch = script_.diskMode == BatchMode;
    for (std::vector<sc_Item*>& disks : Platters()) {
        TPlatter steps;
        const std::size_t index = run.runList.size();
        bool ok = true;
        if (batch) {
            // Rounds over the unfinished disks until every command of every disk has run once.
            for (bool more = true; ok && more;) {
                more = false;
                for (sc_Item* disk : disks) {
                    if (ok && disk->runCursor != disk->commands.End()) {
                        ok = dryStep(*disk, index, steps);
                        more = true;
                    }
                }
            }
        } else {
            for (sc_Item* disk : disks) {
                while (ok && disk->runCursor != disk->commands.End()) {
                    ok = dryStep(*disk, index, steps);
                }
            }
        }
        if (!ok) {
            ResetDisks(script_);
            run.runList.clear();
            run.aborted = abortedByOperator_;
            return run;
        }
        if (!steps.empty()) {
            run.runList.push_back(std::move(steps));
        }
    }
    ResetDisks(script_);
    if (run.runList.empty()) {
        run.message = "The script has no command to carry out.";
        return run;
    }
    run.ok = true;
    run.estimate = estimate_;
    script_.timeEstimate = estimate_;
    return run;
}

void RunPreparer::ResetDisks(sc_Script& script) {
    for (sc_Item& disk : script.Disks().disks) {
        disk.runCursor = disk.commands.begin();
        disk.commands.SetCursor(disk.commands.begin());
        disk.exposure = 0;
        disk.irradiated = disk.exposed = disk.heated = disk.hot = false;
    }
}

} // namespace gw
