#pragma once

namespace gw {

// The flags of a script run, read by the live graph and the console's actions. All are cleared at
// start-up and by the operator's abort.
struct RunState {
    bool RunActive = false;         // a script step is being prepared, measured or finished
    bool ScriptPrepared = false;    // a compiled script is ready for Go
    bool Metascript = false;        // the run belongs to a metascript
    bool MetascriptRunning = false; // a metascript run is under way
    bool LastStep = false;          // the current step is the run's last

    void Clear() { *this = RunState{}; }
};

} // namespace gw
