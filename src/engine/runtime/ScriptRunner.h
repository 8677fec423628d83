#pragma once

#include "engine/DataFileFormat.h"
#include "engine/ExistingFilesAnswer.h"
#include "engine/RecordLines.h"
#include "engine/RunPanel.h"
#include "engine/ScriptRun.h"
#include "engine/ScriptStepRecord.h"
#include "engine/runtime/RunJournal.h"
#include "link/Command.h"
#include "profile/PackedDate.h"
#include "profile/TimeBaseCalculator.h"
#include "script/sc_Item.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace gw {

class CompatibilityWriter;
class Console;
class MeasurementEngine;
class RecordKeeper;
struct sc_Script;

// The script run engine: prepares a compiled script (or the scripts of a metascript), and carries
// its steps out one after another on the measurement engine, writing each step's record. The
// console and gwtool run the same object; windows only show its panel and hand in Go, "Stop
// script", "Continue script", "Abort operation" and the answers of its questions.
class ScriptRunner : public QObject {
    Q_OBJECT

public:
    // What automation is told about a run.
    struct Event {
        std::string type;   // "run prepared", "step started", "record written", "warning",
                            // "run ended"
        int platter = 0;    // 0 based, in run order
        int step = 0;       // 0 based within the platter
        int steps = 0;      // steps of the platter
        int disk = 0;       // the disk's number
        std::string text;   // the step's description, the warning, or how the run ended
        double seconds = 0; // time still to run (estimate)
        // A record written: where its bytes are in the file (offset -1 when not known).
        std::int64_t offset = -1;
        std::int64_t length = 0;
        std::string sha256;
    };

    // Records go through the keeper that single measurements use, so that one place holds what
    // could not be written.
    ScriptRunner(Console& console, MeasurementEngine& engine, RecordKeeper& records,
                 DataFileFormat format, QObject* parent = nullptr);
    ~ScriptRunner() override;

    // The settings a preparation takes besides the script.
    bool veltraxCompatible = false;
    std::optional<CivilDate> today;
    std::optional<std::uint32_t> seed;

    // Writes a step's record (and the header before it) to the data file; false when it could
    // not be written: the run then pauses with the record kept, and "Continue script" offers the
    // kept records first (writeKept).
    std::function<bool(const ScriptStepRecord&)> writeRecord;
    std::function<bool()> writeKept;
    // The hand-over to the compatibility binary data: called after every record written, with the
    // step's record (its operation and points) and the run's binary file names.
    std::function<void(const ScriptStepRecord&)> afterRecord;
    // The binary data files of the run's data file, one per counter channel (compatibility
    // switch on); they are named in the script header.
    std::vector<std::string> binaryFiles;
    // With the compatibility switch on and binary files of the data file's name already there:
    // the file-exists question, given the binary file name and the files affected. The run acts
    // on the answer (appends, backs the files up, takes the other name, or does not start).
    // Unset, the files are appended to.
    std::function<ExistingFilesAnswer(const std::string& binaryFile,
                                      const std::vector<std::string>& existing)>
        answerExistingFiles;
    // Called at the end of a run that reached its last step, with the data file; by default the
    // copy to the LAN directory.
    std::function<void(const std::string& dataFile)> afterLastStep;
    // Told about the run.
    std::function<void(const Event&)> onEvent;
    // The editor's compiled script is no longer current (the run has ended).
    std::function<void()> onRunEnded;

    // The script's file and text, for the run journal beside the data file; a run without them
    // keeps no journal (metascripts keep none either).
    std::string scriptFile;
    std::string scriptText;
    // Takes both from the script file as it is on disk (the editor saves before it interprets);
    // an untitled or unreadable script keeps no journal.
    void useScriptFile(const std::string& path);

    // The unfinished journal of the script's data file, if there is one.
    std::optional<RunJournal> InterruptedRun(const sc_Script& script) const;
    // "Execute script" on a script whose last run was interrupted: asks whether to resume it
    // (Yes), to start a new run (No) or to do nothing (Cancel), and prepares accordingly.
    bool PrepareOrResume(sc_Script& script);
    // Prepares the interrupted run of the script to go on where it stopped: the journal is
    // checked against the script and the profile, the data file is trusted for the records that
    // are whole (a record cut off at its end is removed), the finished steps are skipped and Go
    // continues with the step that was running. False, with the reason told, when it cannot.
    bool ResumeScript(sc_Script& script);

    // "Execute script": prepares the script for Go. False, with the reason told, when it cannot
    // run; Go is then not offered.
    bool PrepareScripts(sc_Script& script);
    // A metascript: every script is checked before the first starts.
    bool PrepareMetascript(const std::vector<sc_Script*>& scripts);
    // The live graph's Go: starts the prepared run (or continues a stopped one); while a run is
    // active it asks the run to stop after the current step.
    bool StartRun();
    // "Stop script" checked or unchecked.
    void StopScript(bool checked);
    bool stopChecked() const { return run_.StopRequested; }
    // "Continue script": the next step of a stopped run.
    bool ContinueScript();
    bool continueOffered() const { return continueOffered_; }
    // "Abort operation": everything ends, the run cannot be continued.
    void AbortOperation();
    // The live graph window closed.
    void GraphClosed();
    // The editor freed or replaced the compiled script (Open, Close, Interpret, worksheets):
    // nothing prepared of it may be started or continued any more.
    void ScriptReleased();

    // An operation of any kind is in flight: a data-take thread, an acquisition, a finisher or a
    // starter waiting on the start timer.
    bool operationInFlight() const;

    const ScriptRun& run() const { return run_; }
    const RunPanel& panel() const { return panel_; }
    int MetaIndex = -1;

    // The step starter and finisher (also the Finisher and TakeData slots' contents).
    void TakeScript();
    void FinishScript();

private:
    bool prepareOne(sc_Script& script, bool fullCheck, double& estimate);
    bool settleExistingFiles(const std::string& dataFile, std::string& binaryBase);
    bool openBinaryData(sc_Script& script, const std::string& dataFile);
    bool writeBinaryStep();
    void makeReady();
    bool guardIdle(const char* what);
    void startPrepared();
    void beginStep();
    void stopWithMessage(const std::string& text, const std::string& ending = "stopped");
    void stopForClosedPort(const std::string& text);
    void takeStepAgain();
    void sendLogged(const Command& command);
    void showPanel();
    void emitEvent(const std::string& type, const std::string& text = {});
    Event makeEvent(const std::string& type, const std::string& text) const;
    void emitWritten();
    bool writeStepRecord();
    bool writeUnwritten();
    bool finishWriting();
    void afterRecordWritten();
    void endRun();
    void goOn();
    std::string timeOfDay() const;
    RecordLines recordLines(const ScriptStepRecord& record) const;
    bool journalKept() const;
    void startJournal();
    void saveJournal();
    void journalPending(const ScriptStepRecord& record);
    void journalRecordWritten(const ScriptStepRecord& record);
    bool refuseResume(const std::string& text);
    std::optional<RunJournal> checkedJournal(const sc_Script& script);
    bool trustDataFile(RunJournal& journal);
    bool skipFinishedSteps(std::size_t done);
    bool confirmPlatterChange();
    bool cutBinaryFiles(const std::vector<std::int64_t>& sizes);
    bool binaryBookkeepingFits(const RunJournal& journal, std::size_t whole);
    bool resumeBinaryData(std::size_t whole);
    void tellSavedElsewhere(std::size_t whole);
    bool appendRecord(const ScriptStepRecord& record);
    void copyToLan(const std::string& dataFile);

    Console& console_;
    MeasurementEngine& engine_;
    RecordKeeper& records_;
    DataFileFormat format_;
    TimeBaseCalculator calculator_;
    sc_Script* script_ = nullptr;
    std::vector<sc_Script*> metaScripts_;
    // The name the binary files of each script are derived from, when the operator chose another
    // than the data file's.
    std::map<const sc_Script*, std::string> binaryBases_;
    ScriptRun run_;
    RunPanel panel_;
    double metascriptStart_ = 0;
    bool externalStep_ = false;
    bool continueOffered_ = false;
    bool platterQuestionPending_ = false;
    bool stepAdvanced_ = false;
    // A query for lost points was stopped by the port: "Continue script" asks for them again.
    bool queryPending_ = false;
    int finishedDisk_ = -1;
    // The step being taken, so that a step stopped before it measured can be taken again.
    sc_Item* stepDisk_ = nullptr;
    std::optional<sc_Item::CommandIterator> stepCursor_;
    double stepEstimate_ = 0;
    sc_Item* finishedItem_ = nullptr;
    struct StepPlace {
        int platter = 0;
        int step = 0;
        int steps = 0;
        int disk = 0;
    } finished_;
    std::optional<ScriptStepRecord> unwritten_;
    int keeperMark_ = 0; // the keeper's count of written records when unwritten_ was made
    // The binary data of the run with the compatibility switch on.
    std::unique_ptr<CompatibilityWriter> binary_;
    bool binaryFailed_ = false;
    std::optional<RunJournal> journal_;
    bool resuming_ = false;
    std::uint32_t runSeed_ = 0;
    QElapsedTimer threadWaitClock_;
    QElapsedTimer portWaitClock_;
    QTimer threadWait_;
};

} // namespace gw
