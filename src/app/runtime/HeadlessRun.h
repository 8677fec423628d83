#pragma once

#include "console/LogFileSink.h"
#include "engine/runtime/HeadlessConsole.h"
#include "engine/runtime/ScriptRunner.h"
#include "profile/SystemProfile.h"
#include "sim/SimOptions.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <string>

namespace gw {

// The console without any window, as gwtool run uses it: the headless console and the script run
// engine, on the simulated reader ("sim") or a serial device. The console log goes to
// GWC_log.txt in the profile's data directory, as the console's does.
class HeadlessRun : public QObject {
    Q_OBJECT

public:
    HeadlessRun(Prompter& prompter, const SystemProfile& profile, int counterChannels);

    // Opens the reader port ("sim" builds the simulated reader of the profile's type with the
    // given counter channels). False, with the reason, when it cannot be opened.
    bool open(const std::string& port, std::string& problem);
    // The faults the simulated reader injects (set before open).
    void setSimFaults(const SimFaults& faults) { faults_ = faults; }

    // Nobody is there to open a vanished port again: it is tried every few (scaled) seconds, and
    // a run still measuring is aborted when the port stays away longer than ReopenLimitMs.
    static constexpr int ReopenEveryMs = 5000;
    static constexpr int ReopenLimitMs = 30 * 60 * 1000;
    // Opens the reader port when it is closed; true when it is open.
    bool reopenReader();

    Console& console() { return headless_.console(); }
    MeasurementEngine& engine() { return headless_.engine(); }
    ScriptRunner& runner() { return runner_; }
    RecordKeeper& records() { return headless_.sequencer().records(); }
    // Writes the console log gathered so far to its file (after every record and at the end).
    void flushLog();

private:
    void onReopenTimer();

    DiskLogFileSink logSink_;
    HeadlessConsole headless_;
    ScriptRunner runner_;
    int channels_ = 1;
    SimFaults faults_;
    QTimer reopenTimer_;
    QElapsedTimer closedFor_;
};

} // namespace gw
