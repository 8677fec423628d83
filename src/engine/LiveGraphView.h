#pragma once

#include "engine/GraphSetup.h"
#include "engine/RunPanel.h"

#include <cstddef>
#include <string>

namespace gw {

// The fields of the live graph's run panel that a script run fills.
enum class RunPanelField {
    TimeToFinish,
    TimeElapsed,
    DataFile,
    OperationNo,
    ScriptName,
    SampleName,
    BinaryName,
    ScriptNo, // "%d of %d"
};

// What the engine shows in the live graph window. Every method does nothing by default, so the
// engine runs without windows (tests, gwtool); the window implements what it draws.
class LiveGraphView {
public:
    virtual ~LiveGraphView() = default;

    // The window's status text ("waiting for reader", "in progress", "finished" ...).
    virtual void showStatus(const std::string& /*text*/) {}
    // Shows the window when hidden and lays it out for the operation.
    virtual void setUpGraph(const GraphSetup& /*setup*/) {}
    // Whether the window is laid out for a TL.
    virtual bool showsTL() const { return false; }
    // Whether the window is on screen (the finishers show "finished" only then).
    virtual bool graphVisible() const { return false; }

    // A channel's rate at x, drawn from its previous point; the y range is raised to 1.05 x the
    // rate when the rate exceeds it.
    virtual void addCurvePoint(int /*channel*/, double /*x*/, double /*rate*/) {}
    // The preheat display: the first channel's rate at the next x.
    virtual void addPreheatPoint(double /*rate*/) {}
    // A point of the status plot (temperature, counts); the y range follows when asked.
    virtual void addStatusPoint(double /*x*/, double /*y*/, bool /*raiseRange*/) {}
    virtual void refreshChart() {}

    // The run controls of a script run: Go (hidden again on the last step, else with its running
    // or ready picture) and Abort (its abort picture while running, else a close button).
    virtual void showGoButton(bool /*visible*/, bool /*running*/, bool /*last*/) {}
    virtual void showAbortButton(bool /*visible*/, bool /*running*/) {}
    // The " Batch comm. " group with "Irrad" and "Preheat".
    virtual void showBatchPanel(bool /*visible*/, bool /*enabled*/) {}
    // The run panel and its fields; the operation list scrolls to its newest line.
    virtual void showRunPanel(bool /*visible*/) {}
    virtual void setRunField(RunPanelField /*field*/, const std::string& /*text*/) {}
    virtual void appendOperationInfo(const std::string& /*line*/) {}
    virtual void clearRunPanel() {}

    // The whole run panel of a script run as the run keeps it; shown through the calls above.
    virtual void updateRunPanel(const RunPanel& panel);

private:
    std::size_t operationInfoShown_ = 0;
};

} // namespace gw
