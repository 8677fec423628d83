#include "engine/LiveGraphView.h"

namespace gw {

void LiveGraphView::updateRunPanel(const RunPanel& panel) {
    showRunPanel(true);
    setRunField(RunPanelField::ScriptNo, panel.ScriptNo);
    setRunField(RunPanelField::OperationNo, panel.OperationNo);
    setRunField(RunPanelField::TimeToFinish, panel.TimeToFinish);
    setRunField(RunPanelField::TimeElapsed, panel.TimeElapsed);
    if (!panel.DataTakeStatus.empty()) {
        showStatus(panel.DataTakeStatus);
    }
    // Only the new lines go to the operation list; a shorter list is a new run.
    if (panel.OperationInfo.size() < operationInfoShown_) {
        clearRunPanel();
        operationInfoShown_ = 0;
    }
    for (; operationInfoShown_ < panel.OperationInfo.size(); ++operationInfoShown_) {
        appendOperationInfo(panel.OperationInfo[operationInfoShown_]);
    }
    showGoButton(panel.goVisible, panel.DataTakeStatus == "in progress", false);
}

} // namespace gw
