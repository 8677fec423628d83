#pragma once

#include "engine/GraphSetup.h"
#include "engine/RunPanel.h"

#include <string>

namespace gw {

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

    // A channel's rate at x, drawn from its previous point; the y range is raised to 1.05 x the
    // rate when the rate exceeds it.
    virtual void addCurvePoint(int /*channel*/, double /*x*/, double /*rate*/) {}
    // The preheat display: the first channel's rate at the next x.
    virtual void addPreheatPoint(double /*rate*/) {}
    // A point of the status plot (temperature, counts); the y range follows when asked.
    virtual void addStatusPoint(double /*x*/, double /*y*/, bool /*raiseRange*/) {}
    virtual void refreshChart() {}

    // The run panel of a script run changed.
    virtual void showRunPanel(const RunPanel& /*panel*/) {}
};

} // namespace gw
