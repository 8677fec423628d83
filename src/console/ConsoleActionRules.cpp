#include "console/ConsoleActionRules.h"

namespace gw {

namespace {

constexpr int System6600 = 4;

} // namespace

ConsoleActionEnabling EvaluateActionRules(const ConsoleActionInputs& in) {
    ConsoleActionEnabling e;
    e.openPort = !in.readerPortOpen;
    // The port stays open while a script or metascript runs on it.
    e.closePort = in.readerPortOpen && !in.runActive && !in.metascriptRunning;
    e.takeSingle = !in.runActive && !in.operationInFlight;
    e.takeMOSL = in.systemType == System6600 && e.takeSingle;
    e.takeScript = in.profileLoaded && !in.runActive;
    e.stopScript = in.runActive;
    // Every operation can be aborted, a single one or a range from the dialog too.
    e.abortOperation = in.runActive || in.operationInFlight;
    e.editReader = in.profileLoaded;
    e.saveReader = in.profileLoaded;
    return e;
}

} // namespace gw
