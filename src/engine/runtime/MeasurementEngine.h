#pragma once

#include "engine/Acquisition.h"
#include "engine/AcquisitionHost.h"
#include "engine/DataTakePlan.h"
#include "engine/LampSwitch.h"
#include "engine/LiveGraphView.h"
#include "engine/ReaderWatch.h"
#include "engine/runtime/MainThreadCall.h"

#include <QObject>
#include <QTimer>
#include <atomic>
#include <functional>
#include <string>

namespace gw {

class Console;
class TDataTakeThread;

// The measurement engine of the console: the point acquisition, the watch records, the halogen
// lamp, the live graph view and the data-take thread of the running operation. It lives on the
// user-interface thread; the data-take thread reaches it only through runOnMain().
class MeasurementEngine : public QObject, private AcquisitionHost {
    Q_OBJECT

public:
    using Slot = std::function<void()>;

    // The finishers a point query puts back in the Finisher slot, chosen by the kind that was
    // running (or the script's when the operation belongs to a script run). An empty one leaves
    // the slot as it is.
    struct QueryFinishers {
        Slot script;
        Slot tl;
        Slot osl;
        Slot mosl;
    };

    MeasurementEngine(Console& console, LampSwitch& lamp, QObject* parent = nullptr);
    ~MeasurementEngine() override;

    // The reply handler's hook (installed as the console's PerReplySteps): the engine's steps
    // after a status reply has been decoded into the reader state. It ends by setting ReplyEvent
    // and calling the finisher when it became due.
    void onStatusReply() { acquisition_.OnStatusReply(); }

    // Starts a data-take thread for CurrentOperation. While one is still preparing an operation
    // it refuses: ": Data take thread can not be initialized." in the log and the message
    // "Data take thread can not be initialized" (title "Error", exclamation icon); false then.
    bool startDataTake();
    // A data-take thread exists (an operation is being prepared).
    bool dataTakeRunning() const { return DataTakeThread != nullptr; }

    // The operator's "Abort operation", and a serious reader error: stops the reader and ends
    // everything, the data-take thread included (it sends nothing more).
    void AbortAll() { acquisition_.AbortAll(); }
    // Runs the finisher's point check (see Acquisition::AllPointsValid).
    bool AllPointsValid() { return acquisition_.AllPointsValid(); }
    void PreparePointAxis() { acquisition_.PreparePointAxis(); }

    Acquisition& acquisition() { return acquisition_; }
    PointTable& points() { return acquisition_.Points; }
    AcquisitionState& state() { return acquisition_.State; }
    AfterglowSettings& afterglow() { return acquisition_.Afterglow; }
    // The "Veltrax compatible" switch of the data file.
    bool compatibilityMode() const { return acquisition_.CompatibilityMode; }
    void setCompatibilityMode(bool on) { acquisition_.CompatibilityMode = on; }

    // The live graph window; a no-op view until one is set. The view must outlive the engine.
    void setView(LiveGraphView* view) { view_ = view ? view : &noView_; }
    LiveGraphView& graph() { return *view_; }

    QueryFinishers queryFinishers;
    // The operator's "Abort operation" item: whether it is checked, and unchecking it together
    // with "Stop script" after an abort. Unset, the item counts as unchecked.
    std::function<bool()> isAbortItemChecked;
    Slot uncheckAbortItems;
    // The application's icon, told each state code the reply steps take over.
    std::function<void(int)> showStateCode;

    // The settings the next data-take thread copies from the profile and the console.
    DataTakeSettings dataTakeSettings() const;

    // The data-take thread's one synchronous call into the user-interface thread; false when the
    // engine is going away and fn was not run.
    bool runOnMain(const std::function<void()>& fn) { return mainCall_.run(fn); }

    // Services the data-take thread asks for on the user-interface thread. A command is sent only
    // while `generation` is the current one, i.e. no abort came after the thread started.
    bool sendCommand(const Command& command, unsigned generation);
    bool sendToScanner(const Command& command, unsigned generation);
    void appendLog(const std::string& text);
    ReaderWatch& watch() { return watch_; }
    // Installs the pattern watch ("until busy", "until not busy", final positioning) or one of
    // the checks "until cooled", "until warm", "until irrad" as WatchCondition, the condition
    // event cleared first, so that no reply between installing and waiting is missed. A check
    // may outlive the thread that installed it (a wait that timed out), so it holds nothing of
    // the thread.
    void installPatternWatch();
    void installWatch(std::function<bool()> holds);
    // Whether the halogen lamp is on; without a lamp switch the console logs that once and the
    // lamp counts as off.
    bool lampIsOn();
    bool lampAvailable() const { return lamp_.available(); }
    void switchLamp(bool on);
    void selectLampPortBase();

    // A point query's finisher: the script's for a script operation, else the one of the kind
    // that was running; an empty choice leaves the Finisher slot as it is.
    void restoreQueryFinisher(const TDataType& query);

    // A point query whose answer does not come within this time is asked again (and so, in the
    // end, given up), so that a silent reader cannot hold the operation for ever.
    static constexpr int QueryAnswerMs = 3000;
    void armQueryTimer();

    // Raised every time an abort ends the running thread's right to send.
    unsigned abortGeneration() const { return abortGeneration_.load(); }

    // The data-take thread has sent the operation's measurement command (on the main thread).
    void markMeasurementSent() { measurementSent_ = true; }
    // The operation being prepared cannot go on without the reader port: it is stopped before
    // anything is measured (see operationStoppedByLostPort).
    void stopForClosedPort();

signals:
    // The reader's port vanished while the data-take thread was still preparing the operation:
    // the operation has been stopped before anything was measured (the run, when one was
    // active, is left to say how it goes on).
    void operationStoppedByLostPort(bool runWasActive);
    // The data-take thread has returned and its termination handler has run.
    void dataTakeReturned();
    // An abort has ended the operation and emptied the slots.
    void operationAbandoned();

private:
    // AcquisitionHost
    void send(const Command& command) override;
    void log(const LogLine& line) override;
    double now() const override;
    void followStateCode(int stateCode) override;
    void runWatchCondition() override;
    void runFinisher() override;
    void setReplyEvent() override;
    bool startPointQuery() override;
    void abandonOperation() override;
    bool operationUnderWay() const override;
    bool abortItemChecked() const override;
    LiveGraphView& view() override { return *view_; }

    void onDataTakeFinished(TDataTakeThread* thread);
    void onReaderLost();
    void onQueryTimer();

    Console& console_;
    LampSwitch& lamp_;
    LiveGraphView noView_;
    LiveGraphView* view_ = &noView_;
    Acquisition acquisition_;
    ReaderWatch watch_;
    MainThreadCall mainCall_;
    QTimer queryTimer_;
    std::atomic<unsigned> abortGeneration_{0};
    bool lampAbsenceLogged_ = false;
    bool measurementSent_ = false;
    // A point query asked for while the last thread was still returning starts when it has.
    bool queryDeferred_ = false;

public:
    // The thread preparing the current operation; empty when none (its end handler clears it).
    TDataTakeThread* DataTakeThread = nullptr;
};

} // namespace gw
