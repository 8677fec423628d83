#pragma once

#include "engine/DataFileFormat.h"
#include "engine/RecordLines.h"
#include "engine/TakeDataValues.h"
#include "engine/runtime/RecordKeeper.h"

#include <QObject>
#include <functional>
#include <optional>
#include <string>

namespace gw {

class Console;
class MeasurementEngine;
struct Command;
struct TDataType;

// The operations the operator starts by hand: the take-data action (dialog, checks, high-voltage
// question), the four starters with their pre-commands, the four finishers with their records,
// and the sequence over a disk range or the selected holes of grain disks, carried on by the
// start timer. The console's actions and `gwtool take` run this same code; the dialog only edits
// `values`. Everything runs on the user-interface thread.
class OperationSequencer : public QObject {
    Q_OBJECT

public:
    // How a sequence ended.
    enum class End { Finished, Aborted, Failed };

    static constexpr int NextDiskMs = 5000;
    static constexpr int NextHoleMs = 100;

    OperationSequencer(Console& console, MeasurementEngine& engine, DataFileFormat format,
                       QObject* parent = nullptr);
    ~OperationSequencer() override;

    // The dialog's values, kept between showings.
    TakeDataValues values;
    // The take-data dialog: shows `values` on its sheet (the preheat form when values.PreheatForm
    // is set) and returns true on OK. Unset, the values are taken as they stand.
    std::function<bool(TakeDataValues&)> showDialog;

    // A take-data action ("Take &TL" ...; the live graph's "Irrad" and, with preheatForm,
    // "Preheat"): refused while an operation is in flight; then the dialog, confirm().
    bool takeData(TakeDataSheet sheet, bool preheatForm = false);
    // OK of the dialog: refused while an operation is in flight or when the values are refused
    // (the message names the field); the OS order question of a TL, the high-voltage question of
    // a measurement, then the starter of values.Sheet. True when the operation started.
    bool confirm();

    // Whether an operation is in flight: a data-take thread, data taking, an irradiation, a point
    // query, a finisher or a starter waiting for the start timer. The take-data actions are
    // refused and "Abort operation" is offered while it is.
    bool inFlight() const;
    // The operator's abort: ends the operation and the whole range or hole sequence.
    void abort();

    // The starters and finishers.
    void StartTL();
    void StartOSL();
    void StartMOSL();
    void StartIrradiation();
    void FinishTL();
    void FinishOSL();
    void FinishMOSL();
    void FinishIrradiation();

    RecordKeeper& records() { return records_; }
    const DataFileFormat& format() const { return format_; }

signals:
    // A record has been appended to its data file (or to the file the operator chose).
    void recordWritten(int disk, int hole);
    // The sequence has ended: every disk done, aborted, or stopped by a failure (a record that
    // was not written, a thread that could not start).
    void sequenceEnded(OperationSequencer::End end);

private:
    // Where a sequence goes after the record of the current operation.
    struct Continuation {
        bool more = false;
        bool sameDisk = false; // the next hole of the same disk: no move back, 100 ms
        bool holeStep = false; // the next operation is on a hole
        int disk = 0;
        int hole = 0;
    };
    // What the sequence keeps of OK: the range and the holes, so that changes of the dialog's
    // values cannot derail it.
    struct Sequence {
        bool range = false;
        int toDisk = 0;
        bool holes = false;
        bool preheatForm = false;
    };

    void startWith(void (OperationSequencer::*fill)(), void (OperationSequencer::*finisher)());
    void fillTl();
    void fillOsl();
    void fillMosl();
    void fillIrradiation();
    void sendCommandLogged(const Command& command);
    void sendTimeBase(const TDataType& op);
    bool askHighVoltage();
    bool osOrderAccepted();

    // The finishers' shared steps.
    void closeShortReplies();
    Continuation nextDisk() const;
    Continuation nextHole() const;
    bool pointsComplete(TDataType& op);
    bool writeRecord(const std::string& logWord, const RecordLines& lines);
    PointLineOptions pointOptions(bool afterglowColumn) const;
    void carryOn(const Continuation& next, void (OperationSequencer::*starter)(),
                 const std::string& logText);
    void endSequence(End end);
    void onAbandoned();

    Console& console_;
    MeasurementEngine& engine_;
    DataFileFormat format_;
    RecordKeeper records_;
    Sequence sequence_;
    void (OperationSequencer::*finisher_)() = nullptr;
    // Calls the finisher the operation installed, if any.
    void finishInstalled();
    std::optional<Continuation> decided_; // decided once per operation, before its point check
    bool afterglowColumn_ = false;        // decided once per dialog TL
    bool running_ = false;                // a sequence is under way
};

} // namespace gw
