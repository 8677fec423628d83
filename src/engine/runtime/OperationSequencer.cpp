#include "engine/runtime/OperationSequencer.h"

#include "console/runtime/Console.h"
#include "core/Prompter.h"
#include "engine/DialogRecords.h"
#include "engine/MoslSearch.h"
#include "engine/PointAxis.h"
#include "engine/TakeDataCheck.h"
#include "engine/TakeDataOperation.h"
#include "engine/runtime/MeasurementEngine.h"
#include "link/CommandBuilder.h"

namespace gw {

namespace {

constexpr int System6600 = 4;
constexpr int HighVoltageFlagA = 18;
constexpr int HighVoltageFlagB = 19;

} // namespace

OperationSequencer::OperationSequencer(Console& console, MeasurementEngine& engine,
                                       DataFileFormat format, QObject* parent)
    : QObject(parent), console_(console), engine_(engine), format_(std::move(format)),
      records_(console) {
    // A point query hands back to the finisher its operation installed, whatever the kind.
    const auto installed = [this] { finishInstalled(); };
    engine_.queryFinishers.tl = engine_.queryFinishers.osl = engine_.queryFinishers.mosl =
        installed;
    connect(&engine_, &MeasurementEngine::operationAbandoned, this,
            &OperationSequencer::onAbandoned);
    console_.CloseCheck = [this] { return records_.confirmClose(); };
}

void OperationSequencer::finishInstalled() {
    const auto finisher = finisher_;
    if (finisher != nullptr) {
        (this->*finisher)();
    }
}

OperationSequencer::~OperationSequencer() {
    console_.CloseCheck = nullptr;
}

// ---------------------------------------------------------------------------------------------
// The take-data action

bool OperationSequencer::takeData(TakeDataSheet sheet, bool preheatForm) {
    if (inFlight()) {
        console_.AppendLog(": take data refused - an operation is running");
        console_.prompter().message(MessageKind::Warning, "Warning",
                                    "An operation is running.\rWait for its end or abort it.");
        return false;
    }
    values.Sheet = sheet;
    values.PreheatForm = preheatForm;
    const bool confirmed = !showDialog || showDialog(values);
    const bool started = confirmed && confirm();
    values.PreheatForm = false;
    return started;
}

bool OperationSequencer::confirm() {
    Prompter& prompter = console_.prompter();
    if (inFlight()) {
        console_.AppendLog(": take data refused - an operation is running");
        prompter.message(MessageKind::Warning, "Warning",
                         "An operation is running.\rWait for its end or abort it.");
        return false;
    }
    UpdateMoslSearch(values.Mosl);
    const TakeDataVerdict verdict = CheckTakeData(values, {console_.SystemType()});
    if (!verdict.accepted()) {
        console_.AppendLog(": take data refused: " + verdict.refusal);
        prompter.message(MessageKind::Error, "Error", verdict.refusal);
        return false;
    }
    for (const std::string& notice : verdict.notices) {
        console_.AppendLog(": " + notice);
        prompter.message(MessageKind::Information, "Information", notice);
    }
    TDataType& op = console_.CurrentOperation;
    ConfirmTakeData(values, console_.profile.Profile.VolID, op);
    if (values.Sheet == TakeDataSheet::TL && !osOrderAccepted()) {
        return false;
    }
    if (values.Sheet != TakeDataSheet::Irradiate && !askHighVoltage()) {
        return false;
    }
    op.FromScript = 0;
    sequence_ = {values.Range, values.ToDisk, values.UseScanner && values.AllHoles,
                 values.PreheatForm};
    running_ = true;
    switch (values.Sheet) {
    case TakeDataSheet::OSL:
        StartOSL();
        break;
    case TakeDataSheet::MOSL:
        StartMOSL();
        break;
    case TakeDataSheet::TL:
        StartTL();
        break;
    case TakeDataSheet::Irradiate:
        StartIrradiation();
        break;
    }
    return running_;
}

bool OperationSequencer::osOrderAccepted() {
    TlSheetValues& tl = values.Tl;
    if (values.PreheatForm || !tl.SwitchOsOn || tl.OsStart < tl.OsStop) {
        return true;
    }
    const Answer answer = console_.prompter().ask(
        "Warning", "OS starting temperature is greater or equals stop temperature.\rIgnore it?",
        QuestionButtons::YesNoCancel);
    if (answer != Answer::Yes) {
        return false;
    }
    tl.SwitchOsOn = false;
    return true;
}

bool OperationSequencer::askHighVoltage() {
    const ReaderState& reader = console_.readerState;
    if (reader.Flags[HighVoltageFlagA] != 0 && reader.Flags[HighVoltageFlagB] != 0) {
        return true;
    }
    const Answer answer = console_.prompter().ask(
        "HV off warning", "HV is off!\rShould it be turned on?", QuestionButtons::YesNoCancel);
    if (answer == Answer::Cancel) {
        return false;
    }
    if (answer == Answer::Yes) {
        sendCommandLogged(CommandBuilder::WithCR(CommandBuilder::HVOn()));
    }
    return true;
}

bool OperationSequencer::inFlight() const {
    return console_.StarterHeld();
}

void OperationSequencer::abort() {
    engine_.AbortAll();
}

void OperationSequencer::onAbandoned() {
    decided_.reset();
    finisher_ = nullptr;
    engine_.afterglow().RecordAfterglow = false;
    if (running_) {
        console_.StartTimer().stop();
        endSequence(End::Aborted);
    }
}

void OperationSequencer::endSequence(End end) {
    if (!running_) {
        return;
    }
    running_ = false;
    emit sequenceEnded(end);
}

// ---------------------------------------------------------------------------------------------
// Starters

void OperationSequencer::StartTL() {
    startWith(&OperationSequencer::fillTl, &OperationSequencer::FinishTL);
}

void OperationSequencer::StartOSL() {
    startWith(&OperationSequencer::fillOsl, &OperationSequencer::FinishOSL);
}

void OperationSequencer::StartMOSL() {
    startWith(&OperationSequencer::fillMosl, &OperationSequencer::FinishMOSL);
}

void OperationSequencer::StartIrradiation() {
    startWith(&OperationSequencer::fillIrradiation, &OperationSequencer::FinishIrradiation);
}

void OperationSequencer::startWith(void (OperationSequencer::*fill)(),
                                   void (OperationSequencer::*finisher)()) {
    // A point the last operation left valid must not pass for one of this operation.
    engine_.points().Clear();
    (this->*fill)();
    decided_.reset();
    finisher_ = finisher;
    console_.Finisher = [this] { finishInstalled(); };
    if (!engine_.startDataTake()) {
        // Nothing will call the finisher: the sequence ends here.
        console_.Finisher = nullptr;
        finisher_ = nullptr;
        endSequence(End::Failed);
    }
}

void OperationSequencer::fillTl() {
    TakeDataValues sheet = values;
    sheet.PreheatForm = sequence_.preheatForm;
    FillTlFields(sheet, console_.profile.Profile.VolID, console_.CurrentOperation);
    engine_.PreparePointAxis();
    // The afterglow column is decided once for the TL, from the box as shown and checked.
    afterglowColumn_ =
        !sequence_.preheatForm && values.Tl.Afterglow.RecordAfterglow &&
        AfterglowBoxShown(console_.profile.Profile.AfterglowCode, engine_.compatibilityMode());
    engine_.afterglow() = values.Tl.Afterglow;
    engine_.afterglow().RecordAfterglow = afterglowColumn_;
    engine_.state().AfterglowCount = 0;
    if (console_.SystemType() == System6600) {
        sendCommandLogged(CommandBuilder::NormalAfterglowInterval());
    }
}

void OperationSequencer::fillOsl() {
    TDataType& op = console_.CurrentOperation;
    FillOslFields(values, console_.profile.Profile.VolID, op);
    engine_.PreparePointAxis();
    sendTimeBase(op);
}

void OperationSequencer::sendTimeBase(const TDataType& op) {
    if (console_.SystemType() == System6600) {
        std::string text = "B";
        for (std::size_t i = 0; i < 4; ++i) {
            text += std::to_string(op.X[i]) + " " + std::to_string(op.Y[i]) + " ";
        }
        sendCommandLogged(Command{"SetTimeBase", text + "\r"});
    }
    std::string text = "X";
    for (std::size_t i = 0; i < 4; ++i) {
        text += std::to_string(op.N[i]) + " ";
    }
    sendCommandLogged(Command{"SetSegmentPoints", text + "\r"});
}

void OperationSequencer::fillMosl() {
    TDataType& op = console_.CurrentOperation;
    FillMoslFields(values, console_.profile.Profile.VolID, op);
    PrepareRampAxis(op, engine_.compatibilityMode(), engine_.points());
    sendCommandLogged(CommandBuilder::SetTimeBase(op.XFactor, op.YFactor));
    sendCommandLogged(CommandBuilder::SetSegmentPoints(op.Points));
}

void OperationSequencer::fillIrradiation() {
    FillIrradiationFields(values, console_.profile.Profile.VolID, console_.profile.Profile,
                          console_.SystemType(), console_.CurrentOperation);
    if (console_.SystemType() == System6600) {
        sendCommandLogged(CommandBuilder::NormalAfterglowInterval());
    }
}

void OperationSequencer::sendCommandLogged(const Command& command) {
    engine_.sendCommand(command, engine_.abortGeneration());
}

// ---------------------------------------------------------------------------------------------
// Finishers

void OperationSequencer::FinishTL() {
    TDataType& op = console_.CurrentOperation;
    sendCommandLogged(CommandBuilder::AfterMeasurement());
    if (!pointsComplete(op)) {
        return;
    }
    if (!writeRecord(": TL finished ", TlDialogRecord(op, engine_.points(),
                                                      pointOptions(afterglowColumn_), format_))) {
        return;
    }
    engine_.afterglow().RecordAfterglow = false;
    carryOn(*decided_, &OperationSequencer::StartTL, ": new TL on disk ");
}

void OperationSequencer::FinishMOSL() {
    TDataType& op = console_.CurrentOperation;
    closeShortReplies();
    sendCommandLogged(CommandBuilder::AfterMeasurement());
    if (!pointsComplete(op)) {
        return;
    }
    if (!writeRecord(": MOSL finished ",
                     MoslDialogRecord(op, engine_.points(), pointOptions(false), format_))) {
        return;
    }
    carryOn(*decided_, &OperationSequencer::StartMOSL, ": new MOSL on disk ");
}

void OperationSequencer::FinishOSL() {
    TDataType& op = console_.CurrentOperation;
    closeShortReplies();
    if (!decided_) {
        decided_ = nextHole();
    }
    if (!decided_->sameDisk) {
        sendCommandLogged(CommandBuilder::AfterMeasurement());
    }
    if (!pointsComplete(op)) {
        return;
    }
    if (!writeRecord(": OSL finished ",
                     OslDialogRecord(op, engine_.points(), pointOptions(false), format_))) {
        return;
    }
    if (!decided_->more && engine_.lampIsOn()) {
        engine_.switchLamp(false);
    }
    carryOn(*decided_, &OperationSequencer::StartOSL,
            decided_->holeStep ? ": new OSL on disk/hole " : ": new OSL on disk ");
}

void OperationSequencer::FinishIrradiation() {
    TDataType& op = console_.CurrentOperation;
    if (console_.SystemType() == System6600) {
        sendCommandLogged(CommandBuilder::AfterIrradiation());
    }
    if (!decided_) {
        decided_ = nextDisk();
    }
    if (!writeRecord(": Irradiation finished ", IrradiationDialogRecord(op, format_))) {
        return;
    }
    carryOn(*decided_, &OperationSequencer::StartIrradiation, ": new irradiation on disk ");
}

void OperationSequencer::closeShortReplies() {
    if (console_.linkState.ShortReplies) {
        sendCommandLogged(CommandBuilder::ShortRepliesOff());
        console_.linkState.SetShortReplies(false);
    }
}

bool OperationSequencer::pointsComplete(TDataType& op) {
    // Where the sequence goes is decided before the first point check, so that a point query in
    // between cannot change it.
    if (!decided_) {
        decided_ = nextDisk();
    }
    if (op.Kind == OperationKind::PointQuery) {
        op.Kind = op.QueryKind;
    }
    return engine_.AllPointsValid();
}

OperationSequencer::Continuation OperationSequencer::nextDisk() const {
    if (sequence_.range && values.Disk < sequence_.toDisk) {
        return {true, false, false, values.Disk + 1, 0};
    }
    return {};
}

OperationSequencer::Continuation OperationSequencer::nextHole() const {
    if (!sequence_.holes) {
        return nextDisk();
    }
    const int holes = values.Holes.holesPerDisk();
    int disk = values.Disk;
    int hole = values.Hole + 1;
    bool sameDisk = true;
    for (;;) {
        if (hole > holes - 1) {
            if (!(sequence_.range && disk < sequence_.toDisk)) {
                return {};
            }
            ++disk;
            hole = 0;
            sameDisk = false;
        }
        hole = values.Holes.firstSelectedFrom(disk, hole);
        if (hole < holes) {
            return {true, sameDisk, true, disk, hole};
        }
    }
}

PointLineOptions OperationSequencer::pointOptions(bool afterglowColumn) const {
    PointLineOptions options;
    options.channels = console_.linkState.layout.CounterChannels;
    options.compatibility = engine_.compatibilityMode();
    options.afterglowPoints = afterglowColumn ? engine_.state().AfterglowCount : 0;
    return options;
}

bool OperationSequencer::writeRecord(const std::string& logWord, const RecordLines& lines) {
    const TDataType& op = console_.CurrentOperation;
    console_.AppendLog(logWord);
    console_.Finisher = nullptr;
    finisher_ = nullptr;
    const bool written = records_.write(op.DataFile, lines);
    engine_.points().Clear();
    if (!written) {
        // A sequence does not go on past a record that is not in a file.
        console_.AppendLog(": sequence stopped - the record was not written");
        decided_.reset();
        engine_.graph().showStatus("record not written");
        endSequence(End::Failed);
        return false;
    }
    emit recordWritten(op.Disk, op.UseHoles != 0 ? op.Hole : -1);
    return true;
}

void OperationSequencer::carryOn(const Continuation& next, void (OperationSequencer::*starter)(),
                                 const std::string& logText) {
    decided_.reset();
    if (!next.more) {
        engine_.graph().showStatus("finished");
        console_.prompter().beep();
        endSequence(End::Finished);
        return;
    }
    values.Disk = next.disk;
    if (next.holeStep) {
        values.Hole = next.hole;
    }
    console_.TakeData = [this, starter] { (this->*starter)(); };
    console_.armStartTimer(next.sameDisk ? NextHoleMs : NextDiskMs);
    console_.AppendLog(logText + std::to_string(next.disk) +
                       (next.holeStep ? "/" + std::to_string(next.hole) : std::string()));
}

} // namespace gw
