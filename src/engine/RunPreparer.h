#pragma once

#include "engine/RunList.h"
#include "engine/TDataType.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

namespace gw {

struct PreparationContext;
struct sc_Item;
struct sc_Script;

// The outcome of preparing a script for its run.
struct PreparedRun {
    bool ok = false;
    // A warning of the dry run was answered with Abort.
    bool aborted = false;
    // Why the script cannot run, when the operator has not been told yet (a step that could not
    // be prepared has been shown already).
    std::string message;
    std::string dataFile;
    TCharge runList;
    double estimate = 0; // seconds
};

// Builds the run list of a compiled script and dry-runs every step once, as the run will take
// them, to sum the time estimate: every disk runs on the platter its placement gave it; a disk
// mode platter runs each disk's commands together, a batch mode platter one command of every
// unfinished disk per round. The dry run prepares into a record of its own, never into the
// console's current operation; afterwards every disk is back at its first command, so the real
// run prepares the same steps again (values asked for stay, so nothing is asked twice).
class RunPreparer {
public:
    // Told about every step of the dry run with its prepared record (the plan's listing).
    using StepSink =
        std::function<void(std::size_t platter, const RunStep& step, const TDataType& record)>;

    RunPreparer(sc_Script& script, PreparationContext& context);

    // RANDOM_SORT draws from a generator seeded so (otherwise from the system's entropy).
    void setSeed(std::uint32_t seed) { random_.seed(seed); }
    void setStepSink(StepSink sink) { sink_ = std::move(sink); }

    // The data file from the script's open text (asking when its directory does not exist), the
    // run list and the estimate, written also into the script's time estimate.
    PreparedRun PrepareRun();

    // The disks of every platter in run order, empty platters left out.
    std::vector<std::vector<sc_Item*>> Platters();

    // Puts every disk back at its first command with its run bookkeeping cleared.
    static void ResetDisks(sc_Script& script);

private:
    bool positionsPlaced() const;
    bool randomOrder() const;
    void shuffleIntoSlots(std::vector<sc_Item*>& disks);
    // Prepares one step of the dry run; false when it failed (result in failed_).
    bool dryStep(sc_Item& disk, std::size_t platter, TPlatter& steps);

    sc_Script& script_;
    PreparationContext& context_;
    std::mt19937 random_{std::random_device{}()};
    StepSink sink_;
    TDataType scratch_;
    bool ignoreAll_ = false;
    bool abortedByOperator_ = false;
    std::unordered_map<const sc_Item*, int> commandsTaken_;
    double estimate_ = 0;
};

} // namespace gw
