#pragma once

#include "engine/RunList.h"

#include <cstddef>
#include <string>

namespace gw {

// Where a script run stands: its run list, the step being carried out, its own data file and the
// time still to run. The run keeps the data file itself, so that a dialog operation between two
// steps (which writes to the dialog's file) never redirects the script's records.
class ScriptRun {
public:
    // What advancing past the current step did.
    enum class Advance {
        NextStep,    // the next step of the same platter
        NextPlatter, // the first step of the next platter: the platter must be changed
        End,         // the current step was the last of the run
    };

    ScriptRun() = default;
    ScriptRun(TCharge runList, std::string dataFile);

    bool empty() const { return RunList.empty(); }
    const TPlatter& platter() const { return RunList[std::size_t(PlatterIndex)]; }
    const RunStep& current() const { return platter()[std::size_t(StepIndex)]; }
    std::size_t stepsOfPlatter() const { return platter().size(); }
    // The current step is the last step of the last platter.
    bool atLastStep() const;
    // Moves on to the next step; at the last step nothing changes and every further step is gone.
    Advance advance();
    // No step is left to carry out: the last step has been finished.
    bool exhausted() const { return exhausted_; }

    // How a run goes on once a step's record is written.
    enum class StepEnd {
        Continue, // the next step follows
        Stopped,  // the operator stopped the run; "Continue script" takes the next step
        Finished, // the last step is done (or the platter change was refused)
    };
    // A stop asked for during the last step finishes the run: nothing is left to continue with,
    // so the step is never carried out again.
    static StepEnd EndOfStep(bool lastStep, bool stopRequested);

    TCharge RunList;
    std::string DataFile;
    int PlatterIndex = 0;
    int StepIndex = 0;
    double RemainingTime = 0; // seconds, of every script still to run
    double RunStart = 0;      // days, when Go started the script
    // The operator's "Stop script": kept here, not in the step's record that the next
    // preparation clears, so a stop clicked while the next step waits is never lost.
    bool StopRequested = false;

private:
    bool exhausted_ = false;
};

} // namespace gw
