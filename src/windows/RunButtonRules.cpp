#include "windows/RunButtonRules.h"

namespace gw {

GoPicture RunButtonRules::goPicture(const RunState& run) {
    if (!run.ScriptPrepared) {
        return GoPicture::None;
    }
    if (run.LastStep) {
        return GoPicture::Close;
    }
    return run.RunActive ? GoPicture::Running : GoPicture::Ready;
}

GoPress RunButtonRules::goPress(const RunState& run) {
    if (run.RunActive) {
        return GoPress::StopScript;
    }
    return run.LastStep ? GoPress::ClearPicture : GoPress::StartRun;
}

AbortPress RunButtonRules::abortPress(const RunState& run, bool operationInFlight) {
    return run.RunActive || operationInFlight ? AbortPress::AbortOperation
                                              : AbortPress::CloseWindow;
}

} // namespace gw
