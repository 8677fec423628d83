#include "engine/ScriptRun.h"

namespace gw {

ScriptRun::ScriptRun(TCharge runList, std::string dataFile)
    : RunList(std::move(runList)), DataFile(std::move(dataFile)) {}

bool ScriptRun::atLastStep() const {
    return std::size_t(PlatterIndex) + 1 >= RunList.size() &&
           std::size_t(StepIndex) + 1 >= stepsOfPlatter();
}

ScriptRun::Advance ScriptRun::advance() {
    if (std::size_t(StepIndex) + 1 < stepsOfPlatter()) {
        ++StepIndex;
        return Advance::NextStep;
    }
    if (std::size_t(PlatterIndex) + 1 < RunList.size()) {
        ++PlatterIndex;
        StepIndex = 0;
        return Advance::NextPlatter;
    }
    exhausted_ = true;
    return Advance::End;
}

ScriptRun::StepEnd ScriptRun::EndOfStep(bool lastStep, bool stopRequested) {
    if (lastStep) {
        return StepEnd::Finished;
    }
    return stopRequested ? StepEnd::Stopped : StepEnd::Continue;
}

} // namespace gw
