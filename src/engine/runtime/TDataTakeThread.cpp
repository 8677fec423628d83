#include "engine/runtime/TDataTakeThread.h"

#include "console/runtime/Console.h"
#include "core/TimeScale.h"
#include "engine/DeviceCode.h"
#include "engine/GraphSetup.h"
#include "engine/IrradiationSource.h"
#include "engine/LiveGraphView.h"
#include "engine/LocalDateTime.h"
#include "engine/WatchChecks.h"
#include "engine/runtime/MeasurementEngine.h"
#include "link/CommandBuilder.h"

#include <algorithm>
#include <chrono>

namespace gw {

namespace {

using Clock = std::chrono::steady_clock;

// A measurement command waits this often, this long, for a reader port closed for a moment.
constexpr int ClosedPortTries = 20;
constexpr int ClosedPortPauseMs = 100;

// The longest the thread waits on an event without looking whether it has been stopped.
constexpr std::chrono::milliseconds StopCheckInterval{5};

constexpr int ResetPauseMs = 2000;
constexpr int CoolDownMs = 60000;
constexpr int StartBusyMs = 500;
constexpr int NotBusyMs = 2000;
constexpr int MoveBusyMs = 2000;
constexpr int PositioningMs = 60000;
constexpr int PositioningResetPauseMs = 500;
constexpr int AcquireDiskMs = 25000;
constexpr int WarmMs = 10000;
constexpr int BeamMs = 1000;
constexpr int ScannerPauseMs = 100;
constexpr int ScannerIdleMs = 2000;
constexpr int ReaderSerialMs = 2000;
constexpr int IrradStartMs = 10000;

bool MeasuresOrIrradiates(OperationKind kind) {
    return kind >= OperationKind::TL && kind <= OperationKind::Irradiation;
}

bool Measures(OperationKind kind) {
    return kind >= OperationKind::TL && kind <= OperationKind::VMOSL;
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

} // namespace

TDataTakeThread::TDataTakeThread(MeasurementEngine& engine, Console& console,
                                 const TDataType& operation, const DataTakeSettings& settings,
                                 unsigned abortGeneration)
    : engine_(engine), console_(console), op_(operation), settings_(settings),
      generation_(abortGeneration) {}

TDataTakeThread::~TDataTakeThread() {
    join();
}

void TDataTakeThread::start() {
    thread_ = std::thread([this] {
        Execute();
        emit finished();
        returned_ = true;
    });
}

void TDataTakeThread::join() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

void TDataTakeThread::requestStop() {
    stopRequested_ = true;
    stopEvent_.Set();
}

// ---------------------------------------------------------------------------------------------
// Execute

void TDataTakeThread::Execute() {
    if (runSteps()) {
        return; // the last step handed the console over already
    }
    onMain([this] {
        if (stopped()) {
            engine_.appendLog(": DataTake thread stopped by the abort - nothing more sent");
        }
        doneWithConsole_ = true;
    });
}

bool TDataTakeThread::runSteps() {
    if (MeasuresOrIrradiates(op_.Kind)) {
        onMain([this] { engine_.watch().Reset(); });
    }
    if (NeedsPreparation(op_, readerNow().Position) && !prepareReader()) {
        return false;
    }
    if (op_.UseHoles != 0 && Measures(op_.Kind)) {
        if (!scannerStep("move beam", CommandBuilder::MoveBeam(op_.Hole), BeamMs) ||
            !scannerStep("arm laser", CommandBuilder::ArmLaser(), BeamMs)) {
            return false;
        }
    }
    return startMeasurement();
}

bool TDataTakeThread::prepareReader() {
    send(CommandBuilder::ResetTimer());
    showStatus("waiting for reader");
    logWatchdog("2 seconds", pause(ResetPauseMs));
    if (!setLampAndTemperature()) {
        return false;
    }
    if (op_.Device == DeviceCode::NoStimulation && !coolDown()) {
        return false;
    }
    if (!moveBack() || !moveToTarget()) {
        return false;
    }
    if (op_.UseHoles != 0 &&
        !scannerStep("acquire disk", CommandBuilder::AcquireDisk(), AcquireDiskMs)) {
        return false;
    }
    if (IsOslKind(op_.Kind) || op_.Kind == OperationKind::Irradiation) {
        onMain([this] {
            engine_.installWatch(
                [&console = console_] { return UntilWarmHolds(console.readerState); });
        });
        logWatchdog("until warm", waitForWatch(WarmMs));
        logPosition();
    }
    return !stopped();
}

bool TDataTakeThread::setLampAndTemperature() {
    bool lampOn = false;
    bool lampAvailable = false;
    bool purgeOn = false;
    bool readerPurges = false;
    onMain([&] {
        lampOn = engine_.lampIsOn();
        lampAvailable = engine_.lampAvailable();
        readerPurges = console_.readerState.Flags[PurgeFlag] != 0;
        purgeOn = console_.linkState.PurgeSwitch && !readerPurges;
    });
    switch (LampActionFor(op_, settings_, lampOn)) {
    case LampAction::SwitchOff:
        onMain([this] { engine_.switchLamp(false); });
        break;
    case LampAction::SwitchOnAndStabilize:
        if (!lampAvailable) {
            break; // nothing to switch on, nothing to wait for
        }
        onMain([this] {
            engine_.selectLampPortBase();
            engine_.switchLamp(true);
            engine_.appendLog(": Halogen lamp switched on - stabilizing for " +
                              std::to_string(settings_.LampOnTime) + " s");
            engine_.state().LampStabilizing = true;
            engine_.graph().showStatus("stabilizing halogen lamp");
        });
        {
            const WaitResult result = pause(settings_.LampOnTime * 1000);
            onMain([this] { engine_.state().LampStabilizing = false; });
            log(std::string(": Halogen lamp stabilization watchdog returned - ") +
                WaitResultName(result));
        }
        break;
    case LampAction::Keep:
        break;
    }
    if (stopped()) {
        return false;
    }
    send(PreparationCommand(op_, settings_, purgeOn, readerPurges));
    return !stopped();
}

bool TDataTakeThread::coolDown() {
    onMain([this] {
        engine_.installWatch([&console = console_] {
            return UntilCooledHolds(console.CurrentOperation, console.readerState);
        });
    });
    logWatchdog("until cooled", waitForWatch(CoolDownMs));
    return !stopped();
}

bool TDataTakeThread::moveBack() {
    log(": preparing for Move back command");
    logPosition();
    send(CommandBuilder::MoveBack());
    log(": Move back command sent ");
    logPosition();
    if (!watchPattern([this] { engine_.watch().WatchBusy(true); }, StartBusyMs, "until busy")) {
        return false;
    }
    logPosition();
    if (!watchPattern([this] { engine_.watch().WatchBusy(false); }, NotBusyMs, "until not busy")) {
        return false;
    }
    logPosition();
    return true;
}

bool TDataTakeThread::moveToTarget() {
    const int target = TargetPosition(op_, settings_.SystemType);
    onMain([this, target] { engine_.watch().SetTargetPosition(target); });
    send(MoveCommand(op_, settings_.SystemType));
    log(": Jump or Advance command sent ");
    logPosition();
    if (!watchPattern([this] { engine_.watch().WatchBusy(true); }, MoveBusyMs, "until busy")) {
        return false;
    }
    logPosition();
    onMain([this] {
        engine_.watch().WatchFinalPosition();
        engine_.installPatternWatch();
    });
    const WaitResult positioned = waitForWatch(PositioningMs);
    if (positioned == WaitResult::Timeout) {
        send(CommandBuilder::ResetTimer());
        pause(PositioningResetPauseMs);
    }
    logWatchdog("until not busy", positioned);
    logPosition();
    return !stopped();
}

namespace {

// The scanner link reads the flag while a step waits for the scanner: one atomic byte.
void setScannerWait(TDataType& operation, std::uint8_t value) {
    std::atomic_ref<std::uint8_t>(operation.ScannerWait).store(value);
}

} // namespace

bool TDataTakeThread::scannerStep(const std::string& name, const Command& command, int timeoutMs) {
    log(": preparing " + Quoted(name) + " for sending to scanner");
    onMain([this] { console_.WatchCondition = nullptr; });
    pause(ScannerPauseMs);
    waitFor(console_.ScannerIdleEvent, ScannerIdleMs);
    onMain([&] {
        // The scanner's answer may come at once: the event is cleared and the wait marked first.
        console_.ScannerDoneEvent.Reset();
        setScannerWait(console_.CurrentOperation, 1);
        if (engine_.sendToScanner(command, generation_)) {
            engine_.appendLog(": " + Quoted(name) + " sent to scanner - " + LoggedText(command));
        }
    });
    if (stopped()) {
        onMain([this] { setScannerWait(console_.CurrentOperation, 0); });
        return false;
    }
    logWatchdog(name, waitFor(console_.ScannerDoneEvent, timeoutMs));
    onMain([this] { setScannerWait(console_.CurrentOperation, 0); });
    return !stopped();
}

bool TDataTakeThread::startMeasurement() {
    const Command command = MeasurementCommand(op_, settings_);
    logWatchdog("reader serial", waitFor(console_.ReplyEvent, ReaderSerialMs));
    const bool irradiation = op_.Kind == OperationKind::Irradiation;
    bool started = false;
    bool portClosed = false;
    // The line-error recovery closes the port for a moment; a measurement command must not be
    // lost in that moment, or the operation would wait for a measurement that never began.
    for (int tries = 0; tries <= ClosedPortTries; ++tries) {
        portClosed = false;
        onMain([&] {
            // Sending and marking the acquisition happen in one step on the user-interface
            // thread, so that no reply is handled in between with half the state set.
            if (stopped()) {
                return;
            }
            if (!console_.ports.reader().isOpen()) {
                portClosed = true;
                return;
            }
            // The acquisition is marked before the command goes out: a port may hand over replies
            // that were waiting while it writes.
            AcquisitionState& state = engine_.state();
            state.TakingData = Measures(op_.Kind);
            state.Querying = op_.Kind == OperationKind::PointQuery;
            if (state.TakingData) {
                state.PointIndex = -1;
                state.WrapCount = 0;
            }
            if (state.Querying) {
                state.PointIndex = op_.QueryPoint;
                state.QueryRepeats = 0;
                engine_.restoreQueryFinisher(op_);
                engine_.armQueryTimer();
            }
            if (op_.Kind != OperationKind::PointQuery) {
                // A re-read point leaves the record with the measurement's own times.
                console_.CurrentOperation.Started = LocalDateTimeNow();
            }
            engine_.sendCommand(command, generation_);
            engine_.markMeasurementSent();
            if (!irradiation) {
                finishOnMain();
            }
            started = true;
        });
        if (!portClosed || pause(ClosedPortPauseMs) != WaitResult::Timeout) {
            break;
        }
    }
    if (portClosed) {
        log(": the reader port stayed closed - the measurement was not started");
        onMain([this] {
            if (!stopped()) {
                engine_.stopForClosedPort();
            }
        });
    }
    if (!started) {
        return false;
    }
    if (!irradiation) {
        return true;
    }
    if (!IsExternalSource(op_.Source)) {
        onMain([this] {
            engine_.installWatch(
                [&console = console_] { return UntilIrradHolds(console.readerState); });
        });
        logWatchdog("until irrad", waitForWatch(IrradStartMs));
    }
    bool irradiating = false;
    onMain([&] {
        if (stopped()) {
            return;
        }
        engine_.state().Irradiating = true;
        finishOnMain();
        irradiating = true;
    });
    return irradiating;
}

void TDataTakeThread::finishOnMain() {
    // The answer to the command may come at once and its finisher start the next thread: this
    // one makes no call to the user-interface thread after this step, so it can be reaped then.
    const AcquisitionState& state = engine_.state();
    if (state.TakingData || state.Irradiating) {
        engine_.graph().setUpGraph(GraphSetupFor(console_.CurrentOperation));
        engine_.graph().showStatus("in progress");
    }
    console_.CurrentOperation.ForceMove = 0;
    doneWithConsole_ = true;
}

// ---------------------------------------------------------------------------------------------
// Main-thread calls

bool TDataTakeThread::onMain(const std::function<void()>& fn) {
    if (!engine_.runOnMain(fn)) {
        requestStop(); // the console is going away
        return false;
    }
    return true;
}

bool TDataTakeThread::stopped() const {
    return stopRequested_.load() || generation_ != engine_.abortGeneration();
}

bool TDataTakeThread::send(const Command& command) {
    bool sent = false;
    onMain([&] { sent = engine_.sendCommand(command, generation_); });
    return sent;
}

void TDataTakeThread::log(const std::string& text) {
    onMain([&] { engine_.appendLog(text); });
}

void TDataTakeThread::showStatus(const std::string& text) {
    onMain([&] { engine_.graph().showStatus(text); });
}

ReaderState TDataTakeThread::readerNow() {
    ReaderState state;
    onMain([&] { state = console_.readerState; });
    return state;
}

void TDataTakeThread::logWatchdog(const std::string& name, WaitResult result) {
    log(": " + Quoted(name) + " watchdog returned - " + WaitResultName(result));
}

void TDataTakeThread::logPosition() {
    const ReaderState state = readerNow();
    log(": current position: " + std::to_string(state.Position) + "; busy? " +
        (state.Flags[BusyFlag] != 0 ? "Yes" : "No"));
}

// ---------------------------------------------------------------------------------------------
// Waits

WaitResult TDataTakeThread::waitFor(ManualResetEvent& event, int nominalMs) {
    const auto deadline = Clock::now() + TimeScale::Scaled(std::chrono::milliseconds(nominalMs));
    while (true) {
        if (stopRequested_.load()) {
            return WaitResult::Abandoned;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now());
        const auto slice = std::clamp(left, std::chrono::microseconds(0),
                                      std::chrono::microseconds(StopCheckInterval));
        const WaitResult result = event.WaitFor(slice);
        if (result != WaitResult::Timeout) {
            return result;
        }
        if (Clock::now() >= deadline) {
            return WaitResult::Timeout;
        }
    }
}

WaitResult TDataTakeThread::waitForWatch(int nominalMs) {
    return waitFor(console_.ConditionEvent, nominalMs);
}

WaitResult TDataTakeThread::pause(int nominalMs) {
    const auto delay = TimeScale::Scaled(std::chrono::milliseconds(std::max(nominalMs, 0)));
    return stopEvent_.WaitFor(delay) == WaitResult::Timeout ? WaitResult::Timeout
                                                            : WaitResult::Abandoned;
}

bool TDataTakeThread::watchPattern(const std::function<void()>& setUp, int nominalMs,
                                   const std::string& watchdog) {
    onMain([&] {
        setUp();
        engine_.installPatternWatch();
    });
    logWatchdog(watchdog, waitForWatch(nominalMs));
    return !stopped();
}

} // namespace gw
