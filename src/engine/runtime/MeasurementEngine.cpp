#include "engine/runtime/MeasurementEngine.h"

#include "console/runtime/Console.h"
#include "core/Prompter.h"
#include "core/TimeScale.h"
#include "engine/LocalDateTime.h"
#include "engine/runtime/TDataTakeThread.h"
#include "link/ReaderLinkState.h"

#include <QCoreApplication>
#include <QPointer>

namespace gw {

namespace {
constexpr int System6600 = 4;
const char* const RefusalText = "Data take thread can not be initialized";
} // namespace

MeasurementEngine::MeasurementEngine(Console& console, LampSwitch& lamp, QObject* parent)
    : QObject(parent), console_(console), lamp_(lamp),
      acquisition_(console.CurrentOperation, console.readerState, console.linkState, *this) {
    queryTimer_.setSingleShot(true);
    connect(&queryTimer_, &QTimer::timeout, this, &MeasurementEngine::onQueryTimer);
    console_.PerReplySteps = [this] { onStatusReply(); };
    connect(&console_.ports.reader(), &LinkPort::deviceLost, this,
            &MeasurementEngine::onReaderLost);
    console_.MeasurementUnderWay = [this] {
        const AcquisitionState& state = acquisition_.State;
        return dataTakeRunning() || state.TakingData || state.Irradiating || state.Querying;
    };
}

MeasurementEngine::~MeasurementEngine() {
    console_.PerReplySteps = nullptr;
    console_.MeasurementUnderWay = nullptr;
    if (DataTakeThread == nullptr) {
        return;
    }
    // The thread may be waiting for this thread to run one of its calls: keep serving them
    // until it has returned (its end handler may run meanwhile and let it go).
    ++abortGeneration_;
    DataTakeThread->requestStop();
    while (DataTakeThread != nullptr && !DataTakeThread->returned()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    if (TDataTakeThread* thread = DataTakeThread) {
        thread->terminationHandled = true;
        thread->join();
        DataTakeThread = nullptr;
        delete thread;
    }
}

DataTakeSettings MeasurementEngine::dataTakeSettings() const {
    const SystemProfile& profile = console_.profile.Profile;
    DataTakeSettings settings;
    settings.SystemType = console_.SystemType();
    settings.ShortDataAllowed = profile.ReaderType == System6600 && profile.ShortDataMode;
    settings.CompatibilityMode = acquisition_.CompatibilityMode;
    settings.HalogenSwitch = profile.HalogenSwitch;
    settings.LampOnTime = profile.LampOnTime;
    settings.LampOffTime = profile.LampOffTime;
    settings.OSLonTL = profile.OSLonTL;
    settings.OSLonIrrad = profile.OSLonIrrad;
    settings.GasOnIrrad = profile.GasOnIrrad;
    return settings;
}

bool MeasurementEngine::startDataTake() {
    if (DataTakeThread != nullptr && DataTakeThread->doneWithConsole()) {
        // The last thread has sent its command and is only returning; its end is not queued
        // yet or not handled yet. A point query answered at once comes here.
        onDataTakeFinished(DataTakeThread);
    }
    if (DataTakeThread != nullptr) {
        console_.AppendLog(std::string(": ") + RefusalText + ".");
        console_.prompter().message(MessageKind::Warning, "Error", RefusalText);
        return false;
    }
    auto* thread = new TDataTakeThread(*this, console_, console_.CurrentOperation,
                                       dataTakeSettings(), abortGeneration_.load());
    connect(thread, &TDataTakeThread::finished, this,
            [this, thread = QPointer<TDataTakeThread>(thread)] {
                if (thread) {
                    onDataTakeFinished(thread);
                }
            });
    DataTakeThread = thread;
    measurementSent_ = false;
    thread->start();
    return true;
}

void MeasurementEngine::onDataTakeFinished(TDataTakeThread* thread) {
    if (thread->terminationHandled) {
        return;
    }
    thread->terminationHandled = true;
    thread->join();
    console_.AppendLog(": DataTake thread returned");
    if (DataTakeThread == thread) {
        DataTakeThread = nullptr;
    }
    thread->deleteLater();
    emit dataTakeReturned();
    if (queryDeferred_ && DataTakeThread == nullptr) {
        queryDeferred_ = false;
        startDataTake();
    }
}

// Lost points are asked for one after another; the thread of the last query may still be
// returning when the next is due, and refusing the query would leave the operation waiting for
// ever.
bool MeasurementEngine::startPointQuery() {
    if (DataTakeThread != nullptr && !DataTakeThread->doneWithConsole()) {
        queryDeferred_ = true;
        return true;
    }
    return startDataTake();
}

// A measurement the reader has begun goes on without the port: once the port is open again the
// replies show its end, and the points lost meanwhile are read again. An operation still being
// prepared has lost commands it cannot get back, so it is stopped before anything is measured.
void MeasurementEngine::onReaderLost() {
    const AcquisitionState& state = acquisition_.State;
    if (state.TakingData || state.Irradiating || state.Querying ||
        (DataTakeThread != nullptr && measurementSent_)) {
        console_.AppendLog(": the reader goes on measuring; open the reader port again to finish "
                           "the operation (points lost meanwhile are read again)");
        return;
    }
    if (DataTakeThread != nullptr) {
        stopForClosedPort();
    }
}

void MeasurementEngine::stopForClosedPort() {
    const bool runWasActive = console_.runState.RunActive;
    const bool prepared = console_.runState.ScriptPrepared;
    if (console_.CurrentOperation.Kind == OperationKind::PointQuery) {
        console_.AppendLog(": the query for a lost point is stopped - the measured points are "
                           "kept and the point is asked for again");
    } else {
        console_.AppendLog(": the operation being prepared is stopped - nothing was measured");
    }
    acquisition_.AbortAll();
    // The run itself is not aborted: it can go on with this step once the port is back.
    console_.runState.ScriptPrepared = prepared;
    emit operationStoppedByLostPort(runWasActive);
}

// ---------------------------------------------------------------------------------------------
// Services for the data-take thread

bool MeasurementEngine::sendCommand(const Command& command, unsigned generation) {
    if (generation != abortGeneration_.load()) {
        return false;
    }
    const SystemProfile& profile = console_.profile.Profile;
    Command filtered = command;
    filtered.text =
        ApplyT23Rule(command.text, profile.ReaderType == System6600 && profile.ShortDataMode,
                     console_.linkState);
    if (filtered.text.empty()) {
        return true;
    }
    send(filtered);
    if (const auto line = CommandLogLine(filtered)) {
        log(*line);
    }
    return true;
}

bool MeasurementEngine::sendToScanner(const Command& command, unsigned generation) {
    if (generation != abortGeneration_.load()) {
        return false;
    }
    if (!console_.SendToScanner(LoggedText(command))) {
        console_.AppendLog(": scanner port closed - not sent: \"" + LoggedText(command) + "\"");
    }
    if (const auto line = CommandLogLine(command)) {
        log(*line);
    }
    return true;
}

void MeasurementEngine::appendLog(const std::string& text) {
    console_.AppendLog(text);
}

void MeasurementEngine::installPatternWatch() {
    installWatch([this] { return watch_.Matches(console_.readerState); });
}

void MeasurementEngine::installWatch(std::function<bool()> holds) {
    console_.ConditionEvent.Reset();
    console_.WatchCondition = [this, holds = std::move(holds)] {
        if (holds()) {
            console_.ConditionEvent.Set();
            console_.WatchCondition = nullptr;
        }
    };
}

bool MeasurementEngine::lampIsOn() {
    if (!lamp_.available()) {
        if (!lampAbsenceLogged_) {
            lampAbsenceLogged_ = true;
            console_.AppendLog(": no halogen lamp switch available - the lamp is taken as off");
        }
        return false;
    }
    return lamp_.LampIsOn();
}

void MeasurementEngine::switchLamp(bool on) {
    if (lamp_.available()) {
        lamp_.SwitchLamp(on);
    }
}

void MeasurementEngine::selectLampPortBase() {
    if (lamp_.available()) {
        lamp_.SelectPortBase(LampSwitch::DefaultPortBase, 0);
    }
}

void MeasurementEngine::armQueryTimer() {
    queryTimer_.start(TimeScale::TimerMs(QueryAnswerMs));
}

void MeasurementEngine::onQueryTimer() {
    if (!acquisition_.State.Querying) {
        return;
    }
    acquisition_.RepeatQuery();
    if (acquisition_.State.Querying) {
        armQueryTimer();
    }
}

void MeasurementEngine::restoreQueryFinisher(const TDataType& query) {
    Slot finisher;
    if (query.FromScript != 0) {
        finisher = queryFinishers.script;
    } else if (query.QueryKind == OperationKind::TL) {
        finisher = queryFinishers.tl;
    } else if (query.QueryKind == OperationKind::OSL) {
        finisher = queryFinishers.osl;
    } else if (query.QueryKind == OperationKind::LMOSL || query.QueryKind == OperationKind::VMOSL) {
        finisher = queryFinishers.mosl;
    }
    if (finisher) {
        console_.Finisher = std::move(finisher);
    }
}

// ---------------------------------------------------------------------------------------------
// AcquisitionHost

void MeasurementEngine::send(const Command& command) {
    LinkPort& port = command.target == CommandTarget::Scanner
                         ? static_cast<LinkPort&>(console_.ports.scanner())
                         : static_cast<LinkPort&>(console_.ports.reader());
    if (!port.write(QByteArray::fromStdString(command.text))) {
        console_.AppendLog(": port closed - not sent: \"" + LoggedText(command) + "\"");
    }
}

void MeasurementEngine::log(const LogLine& line) {
    if (line.timeStamped) {
        console_.AppendLog(line.text);
    } else {
        console_.log().appendLine(line.text);
    }
}

double MeasurementEngine::now() const {
    return LocalDateTimeNow();
}

void MeasurementEngine::followStateCode(int stateCode) {
    if (showStateCode) {
        showStateCode(stateCode);
    }
}

void MeasurementEngine::runWatchCondition() {
    // A copy, since the check empties the slot when it holds.
    const Slot watch = console_.WatchCondition;
    if (watch) {
        watch();
    }
}

void MeasurementEngine::runFinisher() {
    const Slot finisher = console_.Finisher;
    if (finisher) {
        finisher();
    }
}

void MeasurementEngine::setReplyEvent() {
    console_.ReplyEvent.Set();
}

void MeasurementEngine::abandonOperation() {
    console_.Finisher = nullptr;
    console_.WatchCondition = nullptr;
    console_.TakeData = nullptr;
    if (uncheckAbortItems) {
        uncheckAbortItems();
    }
    console_.runState.RunActive = false;
    console_.runState.ScriptPrepared = false;
    console_.runState.Metascript = false;
    console_.runState.MetascriptRunning = false;
    queryDeferred_ = false;
    // The thread still preparing the reader sends nothing more and ends at once.
    ++abortGeneration_;
    if (DataTakeThread != nullptr) {
        DataTakeThread->requestStop();
    }
    emit operationAbandoned();
}

bool MeasurementEngine::operationUnderWay() const {
    return console_.Finisher || console_.TakeData;
}

bool MeasurementEngine::abortItemChecked() const {
    return isAbortItemChecked && isAbortItemChecked();
}

} // namespace gw
