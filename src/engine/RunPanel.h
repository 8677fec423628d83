#pragma once

#include <string>
#include <vector>

namespace gw {

// The live graph's run panel: what a script run shows of itself, and which of the graph's
// buttons it offers.
struct RunPanel {
    std::string ScriptNo;                   // "2 of 3" in a metascript, else empty
    std::string OperationNo;                // "7 of 20 "
    std::vector<std::string> OperationInfo; // "[Record n; time]" and the step's description
    std::string TimeToFinish;
    std::string TimeElapsed;
    std::string DataTakeStatus; // "script ready", "stopped by user", "finished" ...
    bool goVisible = false;
    bool continueOffered = false;
};

} // namespace gw
