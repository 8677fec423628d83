#pragma once

#include "console/RunState.h"

namespace gw {

enum class GoPicture { None, Ready, Running, Close };
enum class GoPress { StopScript, ClearPicture, StartRun };
enum class AbortPress { AbortOperation, CloseWindow };

// The rules of the live graph's Go and Abort buttons over the run flags.
class RunButtonRules {
public:
    // The picture Go shows while idle: none without a prepared script, else close on the last
    // step, running during a run, ready otherwise.
    static GoPicture goPicture(const RunState& run);
    static GoPress goPress(const RunState& run);
    // Abort aborts whenever something is in flight: a script run or any operation started from
    // the dialog (a data-take thread, an acquisition, a pending finisher or next start).
    static AbortPress abortPress(const RunState& run, bool operationInFlight);
    // The hint "HV is off" on Go.
    static bool offerHVHint(const RunState& run, bool hvShownOn) {
        return run.ScriptPrepared && !run.RunActive && !hvShownOn;
    }
};

} // namespace gw
