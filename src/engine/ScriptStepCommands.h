#pragma once

#include "engine/TDataType.h"
#include "link/Command.h"

#include <optional>
#include <string>
#include <vector>

namespace gw {

// A step that needs no reader work: a bleach with an external lamp, or an irradiation with an
// external source (alpha, beta, gamma).
bool IsExternalStep(const TDataType& step);

// The commands a script step sends before its data-take thread starts: "T22 4 250 " for a TL or
// an irradiation on a 6600; for an OSL kind the time base ("B" with the four segments, 6600 only)
// and the points per segment ("X"). None for an external step. Sent without CR.
std::vector<Command> ScriptPreCommands(const TDataType& step, int systemType);

// What closes a script step on the reader. With holes the closing waits until the disk changes
// (or the run ends or stops). "P1 " follows when the purge switch is on and the reader's purge is
// off.
struct StepClosingFacts {
    int systemType = 0;
    bool runEnds = false;     // the last step, a refused platter change or a stop
    bool diskChanges = false; // the next step is on another disk
    bool purgeWanted = false; // purge switch on and the reader's purge flag off
};
std::optional<Command> ScriptEndCommand(const TDataType& step, const StepClosingFacts& facts);

// The words of the log line "... finished": the kind with its treatment, normalization and
// background words in front ("background normalization OSL").
std::string StepWords(const TDataType& step);

} // namespace gw
