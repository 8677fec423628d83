#include "engine/runtime/ScriptRunner.h"

#include "console/runtime/Console.h"
#include "core/LocalPath.h"
#include "core/Prompter.h"
#include "core/TimeScale.h"
#include "engine/CompatibilityFileNames.h"
#include "engine/CompatibilityScriptStep.h"
#include "engine/CompatibilityWriter.h"
#include "engine/LanCopy.h"
#include "engine/LocalDateTime.h"
#include "engine/OperationDescription.h"
#include "engine/OperationTime.h"
#include "engine/RunPreparer.h"
#include "engine/ScriptDataFileName.h"
#include "engine/ScriptHeader.h"
#include "engine/ScriptRecord.h"
#include "engine/ScriptStepCommands.h"
#include "engine/runtime/BinaryFileBackup.h"
#include "engine/runtime/MeasurementEngine.h"
#include "engine/runtime/RecordKeeper.h"
#include "link/CommandBuilder.h"
#include "platform/FileSync.h"
#include "script/OperationPreparer.h"
#include "script/ScriptValues.h"
#include "script/sc_Script.h"
#include "script/sc_Variable.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace gw {

namespace {

constexpr int StepPauseMs = 5000;
// A data-take thread that has not ended 5 s after a step was due stops the run. Its return is a
// matter of the computer, not of the reader: the wait is real time at every time scale.
constexpr int ThreadWaitMs = 10;
constexpr qint64 LongestThreadWaitMs = 5000;
constexpr int ReaderPurgeFlag = 13;

// How long a step waits for a reader port that the line-error recovery has closed.
qint64 LongestPortWaitMs() {
    return std::max<qint64>(TimeScale::TimerMs(2000), 200);
}
const char* const VeltraxRefusal =
    "Script contains command(s) not allowed in Veltrax compatibility mode.";

std::string spanText(double seconds) {
    return FormatSpan(seconds / 86400.0);
}

std::int64_t fileSize(const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(LocalPath(path), error);
    return error ? 0 : std::int64_t(size);
}

// An append puts a line end first when the file does not end with one.
bool endsWithLineEnd(const std::string& path, std::int64_t size) {
    if (size == 0) {
        return true;
    }
    std::FILE* file = std::fopen(LocalPath(path).string().c_str(), "rb");
    if (file == nullptr) {
        return true;
    }
    std::fseek(file, long(size - 1), SEEK_SET);
    const int last = std::fgetc(file);
    std::fclose(file);
    return last == '\n' || last == '\r';
}

std::string dataTypeOf(const RecordLines& lines) {
    for (const std::string& line : lines) {
        if (line.rfind("DataType=", 0) == 0) {
            return line.substr(9);
        }
    }
    return {};
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
    connect(&engine_, &MeasurementEngine::operationStoppedByLostPort, this,
            [this](bool runWasActive) {
                if (runWasActive && console_.CurrentOperation.Kind == OperationKind::PointQuery) {
                    // The step has measured: only its lost points are still to be read.
                    queryPending_ = true;
                    stopForClosedPort("The reader port was lost while lost points were read "
                                      "again; the run is stopped. Open the port again and "
                                      "choose \"Continue script\": the points are asked for "
                                      "again.");
                } else if (runWasActive) {
                    takeStepAgain();
                    stopForClosedPort("The reader port was lost; the run is stopped. Open the "
                                      "port again and choose \"Continue script\": the "
                                      "stopped step is taken again.");
                }
            });
}

ScriptRunner::~ScriptRunner() {
    engine_.queryFinishers.script = nullptr;
}

RecordLines ScriptRunner::recordLines(const ScriptStepRecord& record) const {
    PointLineOptions options;
    options.channels = console_.linkState.layout.CounterChannels;
    options.compatibility = const_cast<MeasurementEngine&>(engine_).compatibilityMode();
    RecordLines lines = record.header;
    const RecordLines body = ScriptRecordLines(record.operation, record.points, options, format_);
    lines.insert(lines.end(), body.begin(), body.end());
    return lines;
}

bool ScriptRunner::appendRecord(const ScriptStepRecord& record) {
    const RecordLines lines = recordLines(record);
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
    return console_.StarterHeld();
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
    if (onEvent) {
        onEvent(makeEvent(type, text));
    }
}

ScriptRunner::Event ScriptRunner::makeEvent(const std::string& type,
                                            const std::string& text) const {
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
    return event;
}

void ScriptRunner::showPanel() {
    engine_.graph().updateRunPanel(panel_);
}

void ScriptRunner::sendLogged(const Command& command) {
    engine_.sendCommand(command, engine_.abortGeneration());
}

// ---- Preparation ----

bool ScriptRunner::prepareOne(sc_Script& script, bool fullCheck, double& estimate) {
    PreparationContext context{console_.prompter(), calculator_, console_.profile.Profile,
                               veltraxCompatible, today.value_or(TodayLocal())};
    RunPreparer preparer(script, context);
    // One seed for every preparation of the run, kept in its journal: a resumed run draws the
    // same random order again.
    preparer.setSeed(runSeed_);
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
    std::string binaryBase = prepared.dataFile;
    if (veltraxCompatible) {
        if (fullCheck && !resuming_) {
            binaryBases_.erase(&script);
            if (!settleExistingFiles(prepared.dataFile, binaryBase)) {
                return false;
            }
            binaryBases_[&script] = binaryBase;
        } else if (const auto chosen = binaryBases_.find(&script); chosen != binaryBases_.end()) {
            binaryBase = chosen->second;
        }
        binaryFiles = BinaryFileNames(binaryBase, console_.linkState.layout.CounterChannels);
    }
    if (&script == script_ || script_ == nullptr || !fullCheck) {
        binary_.reset();
        if (veltraxCompatible && !openBinaryData(script, binaryBase)) {
            return false;
        }
        run_ = ScriptRun(std::move(prepared.runList), prepared.dataFile);
    }
    return true;
}

// The file-exists question, asked until no file is in the way or the operator decides. The text
// data file keeps its name; only the binary files may take another.
bool ScriptRunner::settleExistingFiles(const std::string& dataFile, std::string& binaryBase) {
    for (;;) {
        const std::vector<std::string> existing = ExistingCompatibilityFiles(binaryBase);
        if (existing.empty()) {
            return true;
        }
        const std::string binaryFile =
            std::filesystem::path(binaryBase).replace_extension(".dat").string();
        const ExistingFilesAnswer answer =
            answerExistingFiles ? answerExistingFiles(binaryFile, existing)
                                : ExistingFilesAnswer{ExistingFilesChoice::Append, {}};
        switch (answer.choice) {
        case ExistingFilesChoice::Append:
            console_.AppendLog(": Existing files will be appended.");
            console_.prompter().message(MessageKind::Information, "GW Console",
                                        "Existing files will be appended.");
            return true;
        case ExistingFilesChoice::Overwrite: {
            std::string problem;
            if (!BackUpBinaryFiles(
                    existing, [this](const std::string& line) { console_.AppendLog(line); },
                    problem)) {
                console_.AppendLog(": " + problem);
                console_.prompter().message(MessageKind::Error, "Error", problem);
                emitEvent("warning", problem);
                return false;
            }
            console_.prompter().message(
                MessageKind::Information, "GW Console",
                "Existing files have been backuped or moved to 'Recycle bin'.");
            return true;
        }
        case ExistingFilesChoice::OtherName:
            binaryBase = std::filesystem::path(answer.otherName)
                             .replace_extension(std::filesystem::path(dataFile).extension())
                             .string();
            console_.AppendLog(": binary data of " + dataFile + " goes to " + answer.otherName);
            break;
        case ExistingFilesChoice::Cancel:
            emitEvent("warning", "binary data files of " + dataFile + " exist");
            return false;
        }
    }
}

bool ScriptRunner::openBinaryData(sc_Script& script, const std::string& dataFile) {
    const int channels = console_.linkState.layout.CounterChannels;
    const std::vector<std::string> data = BinaryFileNames(dataFile, channels, ".dat");
    const std::vector<std::string> subtraction = BinaryFileNames(dataFile, channels, ".sub");
    CompatibilitySettings settings;
    settings.profile = script.profile;
    settings.filterNumber = console_.profile.Profile.FilterNum;
    settings.singleAliquot = script.singleAliquot;
    for (std::size_t i = 0; i < data.size() && i < subtraction.size(); ++i) {
        settings.channels.push_back({data[i], subtraction[i]});
    }
    settings.sync = [](const std::filesystem::path& path) {
        return platform::SyncFileToDisk(path);
    };
    const CivilDate day = today.value_or(TodayLocal());
    settings.today = [day] { return day; };
    settings.log = [this](const std::string& line) { console_.AppendLog(line); };
    binary_ = std::make_unique<CompatibilityWriter>(std::move(settings));
    if (const FileError error = binary_->Open()) {
        binary_.reset();
        console_.AppendLog(": " + error.message);
        console_.prompter().message(MessageKind::Error, "Error", error.message);
        emitEvent("warning", error.message);
        return false;
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
    if (!resuming_) {
        runSeed_ = seed ? *seed : std::random_device{}();
        journal_.reset();
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
    if (flags.MetascriptRunning && !run_.empty() && !run_.exhausted()) {
        // The next script of a metascript starts by itself. Go's guard would refuse it while the
        // last step's data-take thread is still returning, and the metascript would stand still:
        // its first step waits for that thread instead.
        startPrepared();
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
    startJournal();
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
    if (queryPending_) {
        // The measured step goes on with its lost points; its record is written after them.
        queryPending_ = false;
        console_.Finisher = [this] { FinishScript(); };
        FinishScript();
        return true;
    }
    TakeScript();
    return true;
}

void ScriptRunner::AbortOperation() {
    threadWait_.stop();
    continueOffered_ = false;
    panel_.continueOffered = false;
    platterQuestionPending_ = false;
    queryPending_ = false;
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
    queryPending_ = false;
    panel_.goVisible = panel_.continueOffered = false;
    script_ = nullptr;
    metaScripts_.clear();
    binaryBases_.clear();
    run_ = ScriptRun();
    showPanel();
}

void ScriptRunner::stopWithMessage(const std::string& text, const std::string& ending) {
    console_.AppendLog(": " + text);
    console_.prompter().message(MessageKind::Error, "Error", text);
    emitEvent("warning", text);
    console_.Finisher = nullptr;
    console_.runState.RunActive = false;
    continueOffered_ = panel_.continueOffered = true;
    panel_.DataTakeStatus = "stopped";
    showPanel();
    engine_.graph().showStatus("stopped");
    emitEvent("run ended", ending);
}

// The port is gone: the run waits for it with the step to take next, and says so; the records
// written so far stay where they are.
void ScriptRunner::stopForClosedPort(const std::string& text) {
    console_.TakeData = nullptr;
    stopWithMessage(text, "port lost");
}

// The stopped step measured nothing: "Continue script" prepares it once more.
void ScriptRunner::takeStepAgain() {
    if (stepDisk_ != nullptr && stepCursor_ && !stepAdvanced_) {
        stepDisk_->runCursor = *stepCursor_;
        run_.RemainingTime += stepEstimate_;
        if (script_ != nullptr) {
            script_->timeEstimate += stepEstimate_;
        }
    }
    stepCursor_.reset();
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
        if (!threadWaitClock_.isValid()) {
            threadWaitClock_.start();
        } else if (threadWaitClock_.elapsed() > LongestThreadWaitMs) {
            threadWaitClock_.invalidate();
            stopWithMessage("Data take thread can not be initialized");
            return;
        }
        threadWait_.start(ThreadWaitMs);
        return;
    }
    threadWaitClock_.invalidate();
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
    stepDisk_ = run_.current().disk;
    stepCursor_ = stepDisk_->runCursor;
    const PreparationResult prepared =
        PrepareNextOperation(*script_, *run_.current().disk, op, ignoreAll, context);
    if (!prepared.ok) {
        // The step was not carried out; continuing prepares it again.
        stopWithMessage("The step could not be prepared; the run stops.");
        return;
    }
    stepAdvanced_ = false;
    stepEstimate_ = EstimatedTime(op);
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
    if (!externalStep_ && !console_.ports.reader().isOpen()) {
        takeStepAgain();
        // A port closed by the line-error recovery opens again by itself in a moment.
        if (!portWaitClock_.isValid()) {
            portWaitClock_.start();
        }
        if (portWaitClock_.elapsed() <= LongestPortWaitMs()) {
            threadWait_.start(ThreadWaitMs);
            return;
        }
        portWaitClock_.invalidate();
        stopForClosedPort("The reader port is closed; the run is stopped. Open the port and "
                          "choose \"Continue script\".");
        return;
    }
    portWaitClock_.invalidate();
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
        finishedItem_ = run_.current().disk;
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
    record.disk = finishedItem_;
    unwritten_ = std::move(record);
    keeperMark_ = records_.writtenCount();
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
    journalPending(*unwritten_);
    if (writeRecord && !writeRecord(*unwritten_)) {
        console_.AppendLog(": record not written to " + unwritten_->dataFile + " - kept");
        emitEvent("warning", "record not written to " + unwritten_->dataFile);
        return false;
    }
    return finishWriting();
}

bool ScriptRunner::finishWriting() {
    if (!writeBinaryStep()) {
        // The text record is written: it is not offered again, but the run cannot go on with
        // binary data that lacks a step.
        unwritten_.reset();
        binaryFailed_ = true;
        return true;
    }
    if (afterRecord) {
        afterRecord(*unwritten_);
    }
    journalRecordWritten(*unwritten_);
    emitWritten();
    unwritten_.reset();
    return true;
}

void ScriptRunner::emitWritten() {
    Event event = makeEvent("record written", unwritten_->dataFile);
    if (records_.writtenCount() > keeperMark_) {
        const RecordKeeper::WrittenRecord& written = records_.lastWritten();
        event.text = written.path;
        event.offset = written.offset;
        event.length = written.length;
        event.sha256 = written.sha256;
    }
    if (onEvent) {
        onEvent(event);
    }
}

bool ScriptRunner::writeBinaryStep() {
    if (!binary_ || unwritten_->disk == nullptr || script_ == nullptr) {
        return true;
    }
    const FileError error = WriteCompatibilityStep(
        *binary_, *script_, *unwritten_->disk, unwritten_->operation, unwritten_->points,
        console_.prompter(), today.value_or(TodayLocal()));
    if (!error) {
        return true;
    }
    binary_.reset();
    stopWithMessage(error.message);
    continueOffered_ = panel_.continueOffered = false;
    console_.runState.ScriptPrepared = false;
    showPanel();
    return false;
}

void ScriptRunner::afterRecordWritten() {
    RunState& flags = console_.runState;
    if (binaryFailed_) {
        binaryFailed_ = false;
        return;
    }
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
        } else if (journalKept()) {
            journal_->platterChanged = run_.PlatterIndex;
            saveJournal();
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
    if (flags.LastStep && run_.exhausted() && journalKept()) {
        // A refused platter change leaves the run resumable at the next platter.
        journal_->finished = true;
        saveJournal();
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

// ---- The run journal and resuming ----

bool ScriptRunner::journalKept() const {
    return journal_.has_value();
}

void ScriptRunner::saveJournal() {
    std::string problem;
    if (!journal_->save(problem)) {
        // The run goes on; only its resumption would be lost.
        console_.AppendLog(": run journal " + RunJournal::PathFor(journal_->dataFile) +
                           " not written: " + problem);
        emitEvent("warning", "run journal not written: " + problem);
    }
}

void ScriptRunner::startJournal() {
    if (resuming_ && journal_) {
        resuming_ = false;
        saveJournal();
        return;
    }
    resuming_ = false;
    journal_.reset();
    if (scriptFile.empty() || metaScripts_.size() != 1 || script_ == nullptr) {
        return;
    }
    if (InterruptedRun(*script_)) {
        console_.AppendLog(": the journal of the interrupted run of " + run_.DataFile +
                           " is replaced by a new run's");
    }
    RunJournal journal;
    journal.scriptFile = scriptFile;
    journal.scriptDigest = RunJournal::Digest(scriptText);
    journal.systemId = console_.profile.Profile.SystemID;
    journal.dataFile = run_.DataFile;
    for (sc_Variable& variable : script_->variables) {
        if (variable.hasValue) {
            journal.variables.emplace_back(
                variable.name,
                variable.value + (variable.count >= 0 ? "#" + std::to_string(variable.count) : ""));
        }
    }
    journal.seed = runSeed_;
    journal.dataStart = fileSize(run_.DataFile);
    if (veltraxCompatible) {
        for (const std::string& binary : binaryFiles) {
            journal.binaryFiles.push_back(binary);
            journal.binaryFiles.push_back(
                std::filesystem::path(binary).replace_extension(".sub").string());
        }
        for (const std::string& file : journal.binaryFiles) {
            journal.binaryStart.push_back(fileSize(file));
        }
    }
    journal_ = std::move(journal);
    saveJournal();
}

void ScriptRunner::journalPending(const ScriptStepRecord& record) {
    if (!journalKept() || record.dataFile != journal_->dataFile) {
        return;
    }
    const std::int64_t start = fileSize(record.dataFile);
    std::int64_t length = endsWithLineEnd(record.dataFile, start) ? 0 : 2;
    for (const std::string& line : recordLines(record)) {
        length += std::int64_t(line.size()) + 2;
    }
    journal_->pending = RunJournal::Pending{finished_.platter, finished_.step, start, length};
    saveJournal();
}

void ScriptRunner::journalRecordWritten(const ScriptStepRecord& record) {
    if (!journalKept()) {
        return;
    }
    std::vector<std::int64_t> binary;
    for (const std::string& file : journal_->binaryFiles) {
        binary.push_back(fileSize(file));
    }
    const std::string& writtenTo = records_.writtenTo();
    const std::string savedTo =
        writtenTo.empty() || writtenTo == journal_->dataFile ? std::string() : writtenTo;
    journal_->records.push_back({finished_.platter, finished_.step, finished_.disk,
                                 dataTypeOf(recordLines(record)), fileSize(journal_->dataFile),
                                 binary, savedTo});
    if (binary_) {
        journal_->KeepBinaryState(binary_->Bookkeeping());
    }
    journal_->pending.reset();
    journal_->platter = run_.PlatterIndex;
    journal_->step = run_.StepIndex;
    saveJournal();
}

void ScriptRunner::useScriptFile(const std::string& path) {
    scriptFile.clear();
    scriptText.clear();
    std::ifstream in(LocalPath(path), std::ios::binary);
    if (path.empty() || !in) {
        return;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    scriptFile = path;
    scriptText = bytes.str();
}

std::optional<RunJournal> ScriptRunner::InterruptedRun(const sc_Script& script) const {
    const std::string dataFile =
        PrepareDataFileName(script.openText, console_.profile.Profile.VolID);
    std::string problem;
    std::optional<RunJournal> journal = RunJournal::Load(dataFile, problem);
    if (!journal || journal->finished) {
        return std::nullopt;
    }
    return journal;
}

bool ScriptRunner::PrepareOrResume(sc_Script& script) {
    const std::optional<RunJournal> journal = InterruptedRun(script);
    if (!journal) {
        return PrepareScripts(script);
    }
    const Answer answer = console_.prompter().ask(
        "Resume",
        "Resume the interrupted run at platter " + std::to_string(journal->platter + 1) +
            ", step " + std::to_string(journal->step + 1) + "?",
        QuestionButtons::YesNoCancel);
    if (answer == Answer::Yes) {
        return ResumeScript(script);
    }
    if (answer == Answer::No) {
        console_.AppendLog(": the interrupted run of " + journal->dataFile +
                           " is not resumed; a new run is prepared");
        return PrepareScripts(script);
    }
    return false;
}

bool ScriptRunner::refuseResume(const std::string& text) {
    console_.AppendLog(": " + text);
    console_.prompter().message(MessageKind::Error, "Error", text);
    emitEvent("warning", text);
    return false;
}

std::optional<RunJournal> ScriptRunner::checkedJournal(const sc_Script& script) {
    const std::string dataFile =
        PrepareDataFileName(script.openText, console_.profile.Profile.VolID);
    std::string problem;
    std::optional<RunJournal> journal = RunJournal::Load(dataFile, problem);
    if (!journal) {
        refuseResume("No interrupted run of " + dataFile + " to resume: " + problem + ".");
        return std::nullopt;
    }
    if (journal->finished) {
        refuseResume("The run of " + dataFile + " has finished; there is nothing to resume.");
        return std::nullopt;
    }
    if (journal->scriptDigest != RunJournal::Digest(scriptText)) {
        refuseResume("The script " + scriptFile + " has been changed since the run of " + dataFile +
                     " was interrupted; the run cannot be resumed.");
        return std::nullopt;
    }
    if (journal->binaryFiles.empty() == veltraxCompatible) {
        refuseResume("The interrupted run of " + dataFile + " was taken " +
                     (veltraxCompatible ? "without" : "with") +
                     " the compatibility switch; resume it the same way.");
        return std::nullopt;
    }
    const std::string& systemId = console_.profile.Profile.SystemID;
    if (journal->systemId != systemId) {
        refuseResume("The interrupted run of " + dataFile + " was taken with the profile of '" +
                     journal->systemId + "', not of '" + systemId +
                     "'; the run cannot be resumed.");
        return std::nullopt;
    }
    return journal;
}

bool ScriptRunner::ResumeScript(sc_Script& script) {
    std::optional<RunJournal> journal = checkedJournal(script);
    if (!journal) {
        return false;
    }
    // The answers of the interrupted run, so that nothing is asked again and nothing differs.
    for (const auto& [name, value] : journal->variables) {
        if (sc_Variable* variable = script.variables.FindNode(name)) {
            SetVariableValue(*variable, value);
        }
    }
    runSeed_ = journal->seed;
    resuming_ = true;
    journal_ = std::move(journal);
    if (!PrepareScripts(script) || !trustDataFile(*journal_)) {
        resuming_ = false;
        journal_.reset();
        console_.runState.ScriptPrepared = false;
        return false;
    }
    return true;
}

bool ScriptRunner::trustDataFile(RunJournal& journal) {
    const std::string& dataFile = run_.DataFile;
    if (dataFile != journal.dataFile) {
        return refuseResume("The script now writes to " + dataFile + ", the interrupted run to " +
                            journal.dataFile + "; the run cannot be resumed.");
    }
    const std::int64_t size = fileSize(dataFile);
    const RunJournal::Holdings holdings = journal.Trust(size);
    if (!holdings.valid) {
        return refuseResume("The data file " + dataFile +
                            " is shorter than before the interrupted run; the run cannot be "
                            "resumed.");
    }
    std::size_t total = 0;
    for (const TPlatter& platter : run_.RunList) {
        total += platter.size();
    }
    if (holdings.whole >= total) {
        journal.finished = true;
        journal.pending.reset();
        saveJournal();
        return refuseResume("The run of " + dataFile +
                            " has finished; there is nothing to resume.");
    }
    if (holdings.pendingWhole) {
        const RunJournal::Pending& pending = *journal.pending;
        journal.records.push_back({pending.platter, pending.step, 0, {}, holdings.keep, {}, {}});
    }
    if (!journal.binaryFiles.empty() && !binaryBookkeepingFits(journal, holdings.whole)) {
        return false;
    }
    // With binary files a record written whole but not yet journalled may lack its binary data:
    // it goes too, and its step is measured again.
    const bool lastRecordWhole = journal.pending && !holdings.pendingWhole &&
                                 journal.pending->start == holdings.keep &&
                                 journal.pending->start + journal.pending->length == size;
    journal.records.resize(holdings.whole);
    std::erase_if(journal.binaryStates, [&holdings](const RunJournal::BinaryState& state) {
        return state.records > holdings.whole;
    });
    journal.pending.reset();
    ++journal.resumed;
    // Nothing is cut before everything else has been checked.
    if (!skipFinishedSteps(holdings.whole)) {
        return false;
    }
    if (size > holdings.keep) {
        std::error_code error;
        std::filesystem::resize_file(LocalPath(dataFile), std::uintmax_t(holdings.keep), error);
        if (error) {
            return refuseResume("The incomplete record at the end of " + dataFile +
                                " cannot be removed: " + error.message());
        }
        platform::SyncFileToDisk(LocalPath(dataFile));
        console_.AppendLog((lastRecordWhole ? ": the last record of " + dataFile +
                                                  ", whose binary data may be missing,"
                                            : ": an incomplete record at the end of " + dataFile) +
                           " removed (" + std::to_string(size - holdings.keep) + " bytes)");
    }
    tellSavedElsewhere(holdings.whole);
    return cutBinaryFiles(journal.BinarySizes(holdings.whole)) && resumeBinaryData(holdings.whole);
}

// The binary files go on from the bookkeeping of the last record the data file holds whole; the
// journal keeps it for its last two records.
bool ScriptRunner::binaryBookkeepingFits(const RunJournal& journal, std::size_t whole) {
    if (whole == 0 || journal.BinaryStateAfter(whole) != nullptr) {
        return true;
    }
    return refuseResume("The data file " + journal.dataFile + " holds " + std::to_string(whole) +
                        " records of the run, its journal " +
                        std::to_string(journal.records.size()) +
                        "; the binary files cannot be matched to it and the run cannot be "
                        "resumed.");
}

// The binary files, cut back to the last record, carry on with the counts, tables and header
// of the interrupted run.
bool ScriptRunner::resumeBinaryData(std::size_t whole) {
    if (!binary_) {
        return true;
    }
    const CompatibilityBookkeeping* kept = journal_->BinaryStateAfter(whole);
    const FileError error = kept == nullptr ? binary_->Open() : binary_->Resume(*kept);
    if (error) {
        binary_.reset();
        return refuseResume(error.message);
    }
    if (kept != nullptr) {
        console_.AppendLog(": the binary files go on after their record " +
                           std::to_string(kept->recordCount));
    }
    return true;
}

void ScriptRunner::tellSavedElsewhere(std::size_t whole) {
    for (std::size_t i = 0; i < whole && i < journal_->records.size(); ++i) {
        const RunJournal::Record& record = journal_->records[i];
        if (!record.savedTo.empty()) {
            console_.AppendLog(": the record of platter " + std::to_string(record.platter + 1) +
                               ", step " + std::to_string(record.step + 1) + " is in " +
                               record.savedTo + ", not in " + journal_->dataFile);
        }
    }
}

// The binary files go back to where they stood after the last whole record of the data file.
bool ScriptRunner::cutBinaryFiles(const std::vector<std::int64_t>& sizes) {
    const std::vector<std::string>& files = journal_->binaryFiles;
    for (std::size_t i = 0; i < files.size() && i < sizes.size(); ++i) {
        const std::int64_t size = fileSize(files[i]);
        if (size < sizes[i]) {
            return refuseResume("The binary file " + files[i] +
                                " is shorter than the interrupted run left it; the run cannot be "
                                "resumed.");
        }
        if (size == sizes[i]) {
            continue;
        }
        std::error_code error;
        std::filesystem::resize_file(LocalPath(files[i]), std::uintmax_t(sizes[i]), error);
        if (error) {
            return refuseResume("The binary file " + files[i] +
                                " cannot be cut back: " + error.message());
        }
        platform::SyncFileToDisk(LocalPath(files[i]));
        console_.AppendLog(": " + files[i] + " cut back to " + std::to_string(sizes[i]) +
                           " bytes to match the data file");
    }
    return true;
}

bool ScriptRunner::skipFinishedSteps(std::size_t done) {
    PreparationContext context{console_.prompter(), calculator_, console_.profile.Profile,
                               veltraxCompatible, today.value_or(TodayLocal())};
    TDataType scratch;
    scratch.DataFile = run_.DataFile;
    bool ignoreAll = true;
    std::size_t index = 0;
    for (std::size_t p = 0; p < run_.RunList.size(); ++p) {
        for (std::size_t s = 0; s < run_.RunList[p].size(); ++s, ++index) {
            const RunStep& step = run_.RunList[p][s];
            if (index == done) {
                run_.PlatterIndex = int(p);
                run_.StepIndex = int(s);
                journal_->platter = int(p);
                journal_->step = int(s);
                const RunJournal& journal = *journal_;
                console_.AppendLog(": resuming the run of " + run_.DataFile + " at platter " +
                                   std::to_string(p + 1) + ", step " + std::to_string(s + 1));
                panel_.TimeToFinish = spanText(run_.RemainingTime);
                showPanel();
                if (s == 0 && p > 0 && int(p) > journal.platterChanged) {
                    return confirmPlatterChange();
                }
                return true;
            }
            if (index < journal_->records.size() && (journal_->records[index].platter != int(p) ||
                                                     journal_->records[index].step != int(s))) {
                return refuseResume("The journal of " + run_.DataFile +
                                    " does not follow the script's run list; the run cannot be "
                                    "resumed.");
            }
            // The disk's commands are taken in order, so the steps done are prepared once more
            // (into a scratch record) to bring every disk to where the run stopped.
            if (!PrepareNextOperation(*script_, *step.disk, scratch, ignoreAll, context).ok) {
                return refuseResume("A finished step of the interrupted run could not be "
                                    "prepared again; the run cannot be resumed.");
            }
            run_.RemainingTime -= EstimatedTime(scratch);
            script_->timeEstimate -= EstimatedTime(scratch);
        }
    }
    return false;
}

bool ScriptRunner::confirmPlatterChange() {
    const Answer answer = console_.prompter().ask(
        "Change the platter!",
        "Press \"OK\" when platter changed.\r\n\"Cancel\" stops measurement.",
        QuestionButtons::OkCancel);
    if (answer != Answer::Ok) {
        console_.AppendLog(": the platter was not changed; the run is not resumed");
        return false;
    }
    journal_->platterChanged = run_.PlatterIndex;
    return true;
}

} // namespace gw
