#pragma once

#include "console/ConsoleLog.h"
#include "console/ConsoleOptions.h"
#include "console/ConsoleSettings.h"
#include "console/RunState.h"
#include "console/runtime/ReaderReplyHandler.h"
#include "console/runtime/ScannerLink.h"
#include "core/ManualResetEvent.h"
#include "engine/TDataType.h"
#include "link/LogLine.h"
#include "link/ReaderLinkState.h"
#include "link/ReaderState.h"
#include "link/runtime/LinkPorts.h"
#include "profile/ProfileContext.h"
#include "profile/ProfileState.h"

#include <QObject>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

namespace gw {

class LogClock;
class LogFileSink;
class MainFormHooks;
class Prompter;
class SettingsStore;

// The console's state, owned for the life of the process: the log, the reader state, the current
// operation, the profile, the events and method slots the measurement engine runs on, the start
// timer and the run state. The main window shows it; gwtool can drive it without any window.
// Everything here belongs to the user-interface thread, except the four events, which the
// data-take thread waits on (it calls into this thread through the engine's MainThreadCall).
class Console : public QObject {
    Q_OBJECT

public:
    using Slot = std::function<void()>;

    static constexpr int StartDelayMs = 3000; // from the window showing to the reader port opening

    Console(SettingsStore& store, Prompter& prompter, const LogClock& clock, LogFileSink& logSink,
            QObject* parent = nullptr);
    ~Console() override;

    // A log file sink that keeps nothing, for a console without windows (gwtool): its log stays in
    // memory.
    static LogFileSink& NoLogFile();

    // The start-up sequence, once, after every window exists.
    void InitMainForm(const ConsoleOptions& options, MainFormHooks& hooks);

    // The main window has appeared: in 3 s (scaled) the start timer runs "Open port".
    void mainWindowShown();

    // The operator's system-type selection (also applied by profile activation): checks the item;
    // a changed type changes the reply layout and the caption; the panels are always laid out.
    // Values other than 0 to 4 change nothing.
    void SelectSystemType(int systemType);

    // Arms the start timer to call TakeData after the nominal delay (scaled).
    void armStartTimer(int nominalMs);
    QTimer& StartTimer() { return startTimer_; }

    // "Open port": the reader port, and the scanner port on a 6600 with a scanner. A port that
    // cannot be opened is told to the operator and stays closed.
    void openPorts();
    // Closes both ports when open.
    void closePorts();

    // The one busy guard: a measurement operation is under way: a finisher waits for the reader,
    // the start timer holds the next starter, or the measurement engine has a data-take thread
    // or an acquisition going.
    bool OperationUnderWay() const;
    // The profile must not change while an operation is under way or a script or metascript runs.
    bool OperationInFlight() const {
        return OperationUnderWay() || runState.RunActive || runState.MetascriptRunning;
    }
    // Nothing is started while an operation is under way or any starter waits in TakeData (even
    // the start-up's port opening).
    bool StarterHeld() const { return OperationUnderWay() || static_cast<bool>(TakeData); }
    // The engine's part of the guard: its thread and acquisition flags.
    std::function<bool()> MeasurementUnderWay;
    // Why the profile must not change now ("Load parameters", "Edit parameters" and the script
    // editor's profile items), or empty when it may.
    std::string ProfileChangeRefusal() const;
    // Tells the operator the refusal when there is one; true when the profile may change.
    bool ProfileMayChange();
    // "Load parameters" and the script editor's "Load system info" with the chosen file: the file
    // is activated and becomes the profile in use, its options take effect, and the profile is
    // announced as replaced. Refused while an operation or a run is in flight.
    bool LoadParameters(const std::string& path);
    // The live profile's system type, "Correct glitches" and short-data option take effect, and
    // the reader's name is checked in the file (asked for when empty); after the profile editor.
    void ApplyProfileOptions();
    // The live profile was replaced by a load or written by a save: a prepared script no longer
    // matches it, so ScriptPrepared is cleared and profileReplaced is emitted for the script
    // editor and the run code to drop their compiled scripts (CompiledOK, MetascriptOK).
    void ProfileReplaced();

    // The close question; false when the window must stay open (records not written, or the log
    // could not be saved).
    bool confirmClose();
    // Asked first when the console closes: false keeps it open (the measurement engine offers the
    // records it could not write).
    std::function<bool()> CloseCheck;

    // Log lines; the time of day goes in front.
    void AppendLog(const std::string& text) { log_.AppendLog(text); }
    // A line with or without its time stamp, as the line says.
    void AppendLine(const LogLine& line);
    void AppendLines(const std::vector<LogLine>& lines);
    ConsoleLog& log() { return log_; }
    ConsoleSettings& settings() { return settings_; }
    ProfileContext& profileContext() { return profileContext_; }
    Prompter& prompter() { return prompter_; }
    // The windows' side of the console; hooks that do nothing before InitMainForm.
    MainFormHooks& hooks() { return *hooks_; }

    // The reply parser of the reader port and the laser scanner link; both ports' packets reach
    // them on their own.
    ReaderReplyHandler& readerReplies() { return readerReplies_; }
    ScannerLink& scannerLink() { return scannerLink_; }
    bool SendToScanner(const std::string& text) { return scannerLink_.SendToScanner(text); }

    int SystemType() const { return linkState.systemType(); }
    void setSystemType(int systemType);
    // The reader link's transmission mode: 7-bit text lines (off) or 8-bit frames (on).
    bool EightBitMode() const { return ports.reader().eightBitMode(); }

    LinkPorts ports;

    ProfileState profile;
    ReaderState readerState;
    ReaderLinkState linkState;
    TDataType CurrentOperation;
    RunState runState;

    // The four manual-reset events of the measurement engine.
    ManualResetEvent ConditionEvent{false};
    ManualResetEvent ScannerDoneEvent{false};
    ManualResetEvent ReplyEvent{true};
    ManualResetEvent ScannerIdleEvent{true};

    // The method slots: the watch check after each decoded reply, the finisher of the running
    // operation, and the starter the start timer calls.
    Slot WatchCondition;
    Slot Finisher;
    Slot TakeData;

    // The measurement engine's steps after each decoded status reply (abort on serious errors,
    // watch condition, data point, end of the operation). They run after the panels and the log
    // have been brought up to date, and end by setting ReplyEvent and then calling the finisher
    // when the operation has ended. Unset, the reply handler only sets ReplyEvent.
    Slot PerReplySteps;

signals:
    void systemTypeChanged(int systemType);
    // After every load or save of the profile (see ProfileReplaced).
    void profileReplaced();

private:
    void onStartTimer();
    void resetEvents();
    std::string findProfileFile(const ConsoleOptions& options);
    bool activateProfile(const std::string& path);
    void restorePortSettings(const ConsoleOptions& options);
    bool openPort(LinkPort& port);

    Prompter& prompter_;
    ConsoleSettings settings_;
    ConsoleLog log_;
    ProfileContext profileContext_;
    MainFormHooks* hooks_ = nullptr;
    QTimer startTimer_;
    bool openingPorts_ = false; // the start timer's starter opens the ports, no operation
    std::vector<std::string> startupNotes_; // logged once the dump has been emptied at start-up
    ReaderReplyHandler readerReplies_{*this};
    ScannerLink scannerLink_{*this};
};

} // namespace gw
