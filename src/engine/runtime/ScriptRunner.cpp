#include "engine/runtime/ScriptRunner.h"

#include "console/runtime/Console.h"
#include "core/LocalPath.h"
#include "core/Prompter.h"
#include "core/TimeScale.h"
#include "engine/CompatibilityFileNames.h"
#include "engine/LanCopy.h"
#include "engine/LocalDateTime.h"
#include "engine/OperationDescription.h"
#include "engine/OperationTime.h"
#include "engine/RunPreparer.h"
#include "engine/ScriptHeader.h"
#include "engine/ScriptRecord.h"
#include "engine/ScriptStepCommands.h"
#include "engine/runtime/MeasurementEngine.h"
#include "engine/runtime/RecordKeeper.h"
#include "link/CommandBuilder.h"
#include "script/OperationPreparer.h"
#include "script/sc_Script.h"

#include <chrono>
#include <ctime>
#include <filesystem>

namespace gw {

namespace {

constexpr int StepPauseMs = 5000;
// A data-take thread that has not ended 5 s after a step was due stops the run.
constexpr int ThreadWaitMs = 100;
constexpr int MaxThreadWaits = 50;
constexpr int ReaderPurgeFlag = 13;
const char* const VeltraxRefusal =
    "Script contains command(s) not allowed in Veltrax compatibility mode.";

std::string spanText(double seconds) {
    return FormatSpan(seconds / 86400.0);
}

} // namespace

ScriptRunner::ScriptRunner(Console& console, MeasurementEngine& engine, RecordKeeper& records,
                           DataFileFormat format, QObject* parent)
    : QObject(parent), console_(console), engine_(engine), records_(records),
      format_(std::move(format)) {
    writeRecord = [this](const ScriptStepRecord& record) { return appendRecord(record); };
    writeKept = [this] { return records_.offerKept(); };
    afterLastStep = [this](const std::string& dataFile) { copyToLan(dataFile); };
    threadWait_.setSingleShot(true);
    connect(&threadWait_, &QTimer::timeout, this, [this] { TakeScript(); });
    engine_.queryFinishers.script = [this] { FinishScript(); };
}

ScriptRunner::~ScriptRunner() {
    engine_.queryFinishers.script = nullptr;
}

bool ScriptRunner::appendRecord(const ScriptStepRecord& record) {
    PointLineOptions options;
    options.channels = console_.linkState.layout.CounterChannels;
    options.compatibility = engine_.compatibilityMode();
    RecordLines lines = record.header;
    const RecordLines body = ScriptRecordLines(record.operation, record.points, options, format_);
    lines.insert(lines.end(), body.begin(), body.end());
    std::error_code error;
    if (std::filesystem::exists(LocalPath(record.dataFile), error)) {
        console_.AppendLog(": Opening data file " + record.dataFile);
    }
    if (!records_.write(record.dataFile, lines)) {
        return false;
    }
    console_.AppendLog(": Saving data to " + record.dataFile);
    console_.AppendLog(": Data saved ");
    return true;
}

void ScriptRunner::copyToLan(const std::string& dataFile) {
    ConsoleSettings& settings = console_.settings();
    if (!settings.ReadSettingFlag("", "LAN data", true)) {
        return;
    }
    const std::string directory = settings.ReadSettingText("", "LAN directory", true);
    std::error_code error;
    if (directory.empty() || !std::filesystem::is_directory(LocalPath(directory), error)) {
        console_.AppendLog(": LAN directory " + directory + " not found - no copy made");
        return;
    }
    std::vector<std::string> files = {dataFile};
    if (engine_.compatibilityMode()) {
        for (const std::string& binary : binaryFiles) {
            files.push_back(binary);
            files.push_back(std::filesystem::path(binary).replace_extension(".sub").string());
        }
    }
    for (const std::string& file : files) {
        if (file != dataFile && std::filesystem::file_size(LocalPath(file), error) == 0) {
            continue; // an empty or missing binary file is not copied
        }
        std::string problem;
        const std::string target = CopyToLanDirectory(file, directory, problem);
        console_.AppendLog(target.empty() ? ": copy of " + file + " to LAN failed: " + problem
                                          : ": " + file + " copied to " + target);
    }
}

std::string ScriptRunner::timeOfDay() const {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%H:%M:%S", &local);
    return text;
}

bool ScriptRunner::operationInFlight() const {
    const AcquisitionState& state = const_cast<MeasurementEngine&>(engine_).state();
    return engine_.dataTakeRunning() || state.TakingData || state.Irradiating || state.Querying ||
           console_.Finisher != nullptr || console_.TakeData != nullptr;
}

bool ScriptRunner::guardIdle(const char* what) {
    if (!operationInFlight()) {
        return true;
    }
    console_.AppendLog(std::string(": ") + what + " refused - an operation is running");
    emitEvent("warning", std::string(what) + " refused: an operation is running");
    return false;
}

void ScriptRunner::emitEvent(const std::string& type, const std::string& text) {
    if (!onEvent) {
        return;
    }
    Event event;
    event.type = type;
    event.text = text;
    event.seconds = run_.RemainingTime;
    if (type == "record written") {
        event.platter = finished_.platter;
        event.step = finished_.step;
        event.steps = finished_.steps;
        event.disk = finished_.disk;
    } else if (!run_.empty()) {
        event.platter = run_.PlatterIndex;
        event.step = run_.StepIndex;
        event.steps = int(run_.stepsOfPlatter());
        event.disk = run_.current().disk->number;
    }
    onEvent(event);
}

void ScriptRunner::showPanel() {
    engine_.graph().showRunPanel(panel_);
}

void ScriptRunner::sendLogged(const Command& command) {
    engine_.sendCommand(command, engine_.abortGeneration());
}

// ---- Preparation ----

bool ScriptRunner::prepareOne(sc_Script& script, bool fullCheck, double& estimate) {
    PreparationContext context{console_.prompter(), calculator_, console_.profile.Profile,
                               veltraxCompatible, today.value_or(TodayLocal())};
    RunPreparer preparer(script, context);
    if (seed) {
        preparer.setSeed(*seed);
    }
    PreparedRun prepared = preparer.PrepareRun();
    if (!prepared.ok) {
        if (!prepared.message.empty() && fullCheck) {
            console_.prompter().message(MessageKind::Error, "Error", prepared.message);
        }
        if (!prepared.message.empty()) {
            emitEvent("warning", prepared.message);
        }
        return false;
    }
    estimate = prepared.estimate;
    if (veltraxCompatible) {
        const std::vector<std::string> existing = ExistingCompatibilityFiles(prepared.dataFile);
        if (fullCheck && !existing.empty()) {
            if (confirmBinaryFiles && !confirmBinaryFiles(prepared.dataFile, existing)) {
                emitEvent("warning", "binary data files of " + prepared.dataFile + " exist");
                return false;
            }
            console_.AppendLog(": Existing files will be appended.");
        }
        binaryFiles = BinaryFileNames(prepared.dataFile, console_.linkState.layout.CounterChannels);
    }
    if (&script == script_ || script_ == nullptr || !fullCheck) {
        run_ = ScriptRun(std::move(prepared.runList), prepared.dataFile);
    }
    return true;
}

bool ScriptRunner::PrepareScripts(sc_Script& script) {
    metaScripts_.clear();
    console_.runState.Metascript = false;
    console_.runState.MetascriptRunning = false;
    return PrepareMetascript({&script});
}

bool ScriptRunner::PrepareMetascript(const std::vector<sc_Script*>& scripts) {
    RunState& flags = console_.runState;
    // Whatever was prepared before is gone from here on.
    flags.ScriptPrepared = false;
    continueOffered_ = false;
    panel_.goVisible = panel_.continueOffered = false;
    if (!guardIdle("Execute script")) {
        return false;
    }
    if (scripts.empty()) {
        return false;
    }
    const bool meta = scripts.size() > 1;
    flags.Metascript = meta;
    flags.MetascriptRunning = false;
    metaScripts_ = scripts;
    MetaIndex = -1;
    double total = 0;
    for (sc_Script* script : scripts) {
        if (veltraxCompatible && (script->commandFlags & CommandFlagExplicitTimeBase) != 0) {
            console_.prompter().message(MessageKind::Warning, "Warning!", VeltraxRefusal);
            emitEvent("warning", VeltraxRefusal);
            flags.Metascript = false;
            return false;
        }
        double estimate = 0;
        script_ = nullptr;
        if (!prepareOne(*script, true, estimate)) {
            flags.Metascript = false;
            return false;
        }
        total += estimate;
        // The dry run may have met DOSL or DMOSL only now.
        if (veltraxCompatible && (script->commandFlags & CommandFlagExplicitTimeBase) != 0) {
            console_.prompter().message(MessageKind::Warning, "Warning!", VeltraxRefusal);
            emitEvent("warning", VeltraxRefusal);
            flags.Metascript = false;
            return false;
        }
    }
    run_.RemainingTime = total;
    MetaIndex = 0;
    script_ = scripts.front();
    double estimate = 0;
    if (meta && !prepareOne(*script_, false, estimate)) {
        flags.Metascript = false;
        return false;
    }
    run_.RemainingTime = total;
    makeReady();
    return true;
}

void ScriptRunner::makeReady() {
    RunState& flags = console_.runState;
    panel_.ScriptNo = flags.Metascript ? std::to_string(MetaIndex + 1) + " of " +
                                             std::to_string(metaScripts_.size())
                                       : std::string();
    flags.ScriptPrepared = true;
    panel_.TimeToFinish = spanText(run_.RemainingTime);
    panel_.DataTakeStatus = "script ready";
    panel_.goVisible = !flags.LastStep;
    panel_.OperationInfo.clear();
    showPanel();
    engine_.graph().showStatus("script ready");
    emitEvent("run prepared", run_.DataFile);
    if (flags.MetascriptRunning) {
        StartRun();
    }
}

// ---- Go, stop, continue, abort ----

bool ScriptRunner::StartRun() {
    RunState& flags = console_.runState;
    if (flags.RunActive) {
        StopScript(true); // Go during a run: "will stop"
        return false;
    }
    if (continueOffered_) {
        return ContinueScript();
    }
    if (!flags.ScriptPrepared || flags.LastStep || script_ == nullptr || run_.empty() ||
        run_.exhausted() || !guardIdle("Go")) {
        return false;
    }
    startPrepared();
    return true;
}

void ScriptRunner::startPrepared() {
    RunState& flags = console_.runState;
    console_.TakeData = nullptr;
    run_.RunStart = LocalDateTimeNow();
    flags.RunActive = true;
    if (flags.Metascript) {
        if (!flags.MetascriptRunning) {
            metascriptStart_ = run_.RunStart;
        }
        flags.MetascriptRunning = true;
    }
    TakeScript();
}

void ScriptRunner::StopScript(bool checked) {
    run_.StopRequested = checked;
    if (checked) {
        console_.runState.Metascript = false;
        console_.runState.MetascriptRunning = false;
        panel_.DataTakeStatus = "will stop";
        showPanel();
    }
}

bool ScriptRunner::ContinueScript() {
    RunState& flags = console_.runState;
    if (!continueOffered_ || run_.StopRequested || flags.RunActive || !flags.ScriptPrepared ||
        !guardIdle("Continue script")) {
        return false;
    }
    continueOffered_ = false;
    panel_.continueOffered = false;
    console_.TakeData = nullptr;
    if (unwritten_) {
        flags.RunActive = true;
        if (!writeUnwritten()) {
            flags.RunActive = false;
            continueOffered_ = panel_.continueOffered = true;
            showPanel();
            return false;
        }
        afterRecordWritten();
        return true;
    }
    flags.RunActive = true;
    TakeScript();
    return true;
}

void ScriptRunner::AbortOperation() {
    threadWait_.stop();
    continueOffered_ = false;
    panel_.continueOffered = false;
    platterQuestionPending_ = false;
    run_.StopRequested = false;
    engine_.AbortAll();
    emitEvent("run ended", "aborted");
}

void ScriptRunner::GraphClosed() {
    // Closing the window during the last step must not make that step run again.
    if (!console_.runState.RunActive) {
        console_.runState.LastStep = false;
    }
}

void ScriptRunner::ScriptReleased() {
    if (console_.runState.RunActive) {
        return; // the editor cannot change the script of a running step
    }
    console_.runState.ScriptPrepared = false;
    console_.TakeData = nullptr;
    continueOffered_ = false;
    panel_.goVisible = panel_.continueOffered = false;
    script_ = nullptr;
    metaScripts_.clear();
    run_ = ScriptRun();
    showPanel();
}

void ScriptRunner::stopWithMessage(const std::string& text) {
    console_.AppendLog(": " + text);
    console_.prompter().message(MessageKind::Error, "Error", text);
    emitEvent("warning", text);
    console_.Finisher = nullptr;
    console_.runState.RunActive = false;
    continueOffered_ = panel_.continueOffered = true;
    panel_.DataTakeStatus = "stopped";
    showPanel();
    engine_.graph().showStatus("stopped");
    emitEvent("run ended", "stopped");
}

// ---- Steps ----

void ScriptRunner::TakeScript() {
    RunState& flags = console_.runState;
    if (script_ == nullptr || run_.empty() || run_.exhausted() || !flags.ScriptPrepared) {
        console_.AppendLog(": TakeScript has no step to take");
        flags.RunActive = false;
        return;
    }
    if (engine_.dataTakeRunning()) {
        // The previous thread is still returning: wait for it, but not for ever.
        if (++threadWaits_ > MaxThreadWaits) {
            threadWaits_ = 0;
            stopWithMessage("Data take thread can not be initialized");
            return;
        }
        threadWait_.start(TimeScale::TimerMs(ThreadWaitMs));
        return;
    }
    threadWaits_ = 0;
    console_.log().appendLine("TakeScript starts a new operation");
    flags.RunActive = true;
    if (flags.Metascript) {
        flags.MetascriptRunning = true;
    }
    beginStep();
}

void ScriptRunner::beginStep() {
    RunState& flags = console_.runState;
    TDataType& op = console_.CurrentOperation;
    panel_.TimeToFinish = spanText(run_.RemainingTime) +
                          (flags.Metascript ? " / " + spanText(script_->timeEstimate) : "");
    // The run's own data file, whatever a dialog operation in between wrote to.
    op.DataFile = run_.DataFile;
    PreparationContext context{console_.prompter(), calculator_, console_.profile.Profile,
                               veltraxCompatible, today.value_or(TodayLocal())};
    bool ignoreAll = false;
    const PreparationResult prepared =
        PrepareNextOperation(*script_, *run_.current().disk, op, ignoreAll, context);
    if (!prepared.ok) {
        // The step was not carried out; continuing prepares it again.
        stopWithMessage("The step could not be prepared; the run stops.");
        return;
    }
    stepAdvanced_ = false;
    run_.RemainingTime -= EstimatedTime(op);
    script_->timeEstimate -= EstimatedTime(op);
    if (run_.StepIndex == 0) {
        op.ForceMove = 1;
        op.WriteHeader = 1;
    }
    op.FromScript = 1;
    op.InfoText = script_->infoText;
    const double now = LocalDateTimeNow();
    panel_.TimeElapsed = spanText((now - run_.RunStart) * 86400.0);
    if (flags.Metascript) {
        panel_.TimeElapsed =
            spanText((now - metascriptStart_) * 86400.0) + " / " + panel_.TimeElapsed;
    }
    panel_.OperationNo =
        std::to_string(run_.StepIndex + 1) + " of " + std::to_string(run_.stepsOfPlatter()) + " ";
    panel_.OperationInfo.push_back("[Record " + std::to_string(run_.StepIndex) + "; " +
                                   timeOfDay() + "]");
    panel_.OperationInfo.push_back(DescribeOperation(op));
    panel_.DataTakeStatus = "in progress";
    showPanel();
    externalStep_ = IsExternalStep(op);
    if (!externalStep_ && (op.Kind == OperationKind::TL || IsOslKind(op.Kind))) {
        engine_.PreparePointAxis();
    }
    for (const Command& command : ScriptPreCommands(op, console_.SystemType())) {
        sendLogged(command);
    }
    flags.LastStep = run_.atLastStep();
    emitEvent("step started", DescribeOperation(op));
    console_.Finisher = [this] { FinishScript(); };
    if (externalStep_) {
        // Nothing runs on the reader; the record is dated when the step was taken.
        op.Started = op.Stopped = now;
        console_.log().appendLine("TakeScript has started a new operation");
        FinishScript();
        return;
    }
    if (!engine_.startDataTake()) {
        stopWithMessage("Data take thread can not be initialized");
        return;
    }
    console_.log().appendLine("TakeScript has started a new operation");
}

void ScriptRunner::FinishScript() {
    TDataType& op = console_.CurrentOperation;
    if (console_.linkState.ShortReplies) {
        sendLogged(CommandBuilder::ShortRepliesOff());
    }
    if (op.Kind != OperationKind::PointQuery && !stepAdvanced_) {
        stepAdvanced_ = true;
        finishedDisk_ = run_.current().disk->number;
        finished_ = {run_.PlatterIndex, run_.StepIndex, int(run_.stepsOfPlatter()), finishedDisk_};
        const ScriptRun::Advance advance = run_.advance();
        platterQuestionPending_ = advance == ScriptRun::Advance::NextPlatter;
        StepClosingFacts facts;
        facts.systemType = console_.SystemType();
        facts.runEnds = console_.runState.LastStep || run_.StopRequested;
        facts.diskChanges =
            advance == ScriptRun::Advance::End || run_.current().disk->number != finishedDisk_;
        facts.purgeWanted =
            console_.linkState.PurgeSwitch && console_.readerState.Flags[ReaderPurgeFlag] == 0;
        if (const auto closing = ScriptEndCommand(op, facts)) {
            sendLogged(*closing);
        }
    }
    if (op.Kind == OperationKind::PointQuery) {
        op.Kind = op.QueryKind;
    }
    if (!externalStep_ && !engine_.AllPointsValid()) {
        return; // a point query runs and calls this again
    }
    console_.AppendLog(": " + StepWords(op) + " finished");
    ScriptStepRecord record;
    record.dataFile = run_.DataFile;
    if (op.WriteHeader != 0) {
        record.header = ScriptHeaderLines(*script_, binaryFiles);
    }
    record.operation = op;
    record.points = engine_.points();
    unwritten_ = std::move(record);
    console_.Finisher = nullptr;
    engine_.points().Clear();
    // The record goes to disk before anything may wait for the operator.
    if (!writeStepRecord()) {
        console_.runState.RunActive = false;
        continueOffered_ = panel_.continueOffered = true;
        panel_.DataTakeStatus = "record not written";
        showPanel();
        emitEvent("run ended", "record not written");
        return;
    }
    afterRecordWritten();
}

bool ScriptRunner::writeUnwritten() {
    // A record the keeper holds is offered from there, so that it is never written twice.
    if (!writeKept) {
        return writeStepRecord();
    }
    if (!writeKept()) {
        return false;
    }
    return finishWriting();
}

bool ScriptRunner::writeStepRecord() {
    if (!unwritten_) {
        return true;
    }
    if (writeRecord && !writeRecord(*unwritten_)) {
        console_.AppendLog(": record not written to " + unwritten_->dataFile + " - kept");
        emitEvent("warning", "record not written to " + unwritten_->dataFile);
        return false;
    }
    return finishWriting();
}

bool ScriptRunner::finishWriting() {
    if (afterRecord) {
        afterRecord(*unwritten_);
    }
    emitEvent("record written", unwritten_->dataFile);
    unwritten_.reset();
    return true;
}

void ScriptRunner::afterRecordWritten() {
    RunState& flags = console_.runState;
    if (platterQuestionPending_) {
        platterQuestionPending_ = false;
        const Answer answer = console_.prompter().ask(
            "Change the platter!",
            "Press \"OK\" when platter changed.\r\n\"Cancel\" stops measurement.",
            QuestionButtons::OkCancel);
        if (answer != Answer::Ok) {
            // A refused change ends the run, and a metascript with it.
            flags.LastStep = true;
            flags.Metascript = false;
            flags.MetascriptRunning = false;
        }
    }
    if (flags.LastStep || run_.StopRequested) {
        endRun();
    } else {
        goOn();
    }
}

void ScriptRunner::goOn() {
    console_.TakeData = [this] { TakeScript(); };
    if (externalStep_) {
        console_.AppendLog(": FinishScript prepared a new operation ");
        console_.AppendLog(":       and 'go to next' immediately ");
        console_.armStartTimer(0);
        return;
    }
    console_.armStartTimer(StepPauseMs);
    console_.AppendLog(": FinishScript prepared a new operation ");
    console_.AppendLog(":     and TakeData is TakeScript ");
}

void ScriptRunner::endRun() {
    RunState& flags = console_.runState;
    flags.RunActive = false;
    if (onRunEnded) {
        onRunEnded();
    }
    const bool stopped = run_.StopRequested && !flags.LastStep;
    run_.StopRequested = false;
    if (stopped) {
        panel_.DataTakeStatus = "stopped by user";
        continueOffered_ = panel_.continueOffered = true;
        engine_.graph().showStatus("stopped by user");
    } else {
        panel_.DataTakeStatus = panel_.TimeToFinish = "finished";
        engine_.graph().showStatus("finished");
        if (!flags.Metascript) {
            sendLogged(CommandBuilder::EndOfScriptRun());
        }
    }
    if (flags.LastStep) {
        console_.prompter().beep();
        flags.ScriptPrepared = false;
        if (engine_.lampIsOn()) {
            engine_.switchLamp(false);
        }
        if (afterLastStep) {
            afterLastStep(run_.DataFile);
        }
    }
    panel_.goVisible = flags.ScriptPrepared && !flags.LastStep;
    showPanel();
    emitEvent("run ended", stopped ? "stopped by user" : "finished");
    if (flags.Metascript && std::size_t(MetaIndex) + 1 < metaScripts_.size()) {
        // The graph closes and opens again for the next script, which starts by itself.
        flags.LastStep = false;
        ++MetaIndex;
        script_ = metaScripts_[std::size_t(MetaIndex)];
        const double remaining = run_.RemainingTime;
        double estimate = 0;
        if (!prepareOne(*script_, false, estimate)) {
            flags.Metascript = flags.MetascriptRunning = false;
            return;
        }
        run_.RemainingTime = remaining;
        makeReady();
        return;
    }
    if (flags.Metascript) {
        flags.Metascript = flags.MetascriptRunning = false;
    }
}

} // namespace gw
