#include "engine/Acquisition.h"

#include "engine/DeviceCode.h"
#include "engine/LiveGraphView.h"
#include "engine/PointAxis.h"
#include "engine/SplitProduct.h"
#include "engine/WatchChecks.h"
#include "link/CommandBuilder.h"

#include <algorithm>

namespace gw {

namespace {

// Reader state codes (see ReaderState::StateCode).
constexpr int Idle = 0;
constexpr int Preheating = 1;
constexpr int HoldingPreheat = 2;
constexpr int CoolingAfterPreheat = 3;
constexpr int HeatingWithData = 4;
constexpr int Holding = 5;
constexpr int TakingTl = 6;
constexpr int HoldingAfterTl = 7;
constexpr int CoolingAfterTl = 8;
constexpr int TakingOsl = 10;

constexpr int ResetTimerAboveSeconds = 2000;
constexpr int ResetRepeatSeconds = 60;
constexpr int PurgeBeforeIrradiationEndSeconds = 60;
// An 8-bit point counter counts 0 ... 254 and starts again.
constexpr int NarrowCounterModulus = 255;

bool CarriesDataPoint(int code) {
    return code == HeatingWithData || code == TakingTl || code == TakingOsl;
}

std::string Quoted(const std::string& text) {
    return ": \"" + text + "\"";
}

std::string LuminescenceWord(OperationKind kind) {
    if (kind == OperationKind::TL) {
        return " TS luminescence ";
    }
    return IsOslKind(kind) ? " OS luminescence " : std::string();
}

int StimulationChannel(const TDataType& operation) {
    return operation.OSDevice == DeviceCode::Infrared ? 1 : 2;
}

} // namespace

Acquisition::Acquisition(TDataType& operation, const ReaderState& reader,
                         const ReaderLinkState& link, AcquisitionHost& host)
    : op_(operation), reader_(reader), link_(link), host_(host) {}

void Acquisition::sendLogged(const Command& command) {
    host_.send(command);
    if (const auto line = CommandLogLine(command)) {
        host_.log(*line);
    }
}

bool Acquisition::wideCounter() const {
    return link_.layout.PointDigitsExtra > 0;
}

void Acquisition::PreparePointAxis() {
    gw::PreparePointAxis(op_, CompatibilityMode, Points);
}

// ---------------------------------------------------------------------------------------------
// The steps after each decoded status reply

void Acquisition::OnStatusReply() {
    abortOnSeriousError();
    State.LastState = reader_.StateCode;
    host_.followStateCode(reader_.StateCode);
    host_.runWatchCondition();
    switchOffStimulationAfterRamp();
    TakeDatum();
    bool finisherDue = false;
    followIrradiation(finisherDue);
    resetTimerWhenIdle();
    host_.setReplyEvent();
    if (finisherDue) {
        host_.runFinisher();
    }
}

// The reader repeats its error bits in every reply while the fault lasts: the abort goes out
// when a serious bit appears, and again only for a bit added since or for an operation started
// meanwhile, not for every reply of the same fault.
void Acquisition::abortOnSeriousError() {
    const int serious = reader_.ErrorBits & SeriousErrorMask;
    const bool bitAdded = (serious & ~seriousBitsAborted_) != 0;
    seriousBitsAborted_ = serious;
    if (bitAdded || (serious != 0 && operationUnderWay())) {
        AbortAll();
    }
}

bool Acquisition::operationUnderWay() const {
    return State.TakingData || State.Irradiating || State.Querying || host_.operationUnderWay();
}

void Acquisition::switchOffStimulationAfterRamp() {
    const int code = reader_.StateCode;
    if (!(State.TakingData || State.Querying) || code < HeatingWithData || code > CoolingAfterTl ||
        op_.Kind != OperationKind::TL) {
        return;
    }
    const bool pastStop = reader_.PointCounter * op_.Increment >= op_.OSStop;
    if (!pastStop && code != HoldingAfterTl && code != CoolingAfterTl) {
        return;
    }
    if (reader_.Flags[InfraredLampFlag] != 0) {
        sendLogged(CommandBuilder::WithCR(CommandBuilder::SetStimulation(0, 0)));
    } else if (reader_.Flags[VisibleLampFlag] != 0) {
        sendLogged(CommandBuilder::WithCR(CommandBuilder::SetStimulation(0, 2)));
    }
}

void Acquisition::followIrradiation(bool& finisherDue) {
    if (!State.Irradiating) {
        return;
    }
    if (op_.IrradTime - reader_.Timer <= PurgeBeforeIrradiationEndSeconds && link_.PurgeSwitch &&
        reader_.Flags[PurgeFlag] == 0) {
        host_.send(CommandBuilder::PurgeOn());
    }
    if (reader_.Flags[BusyFlag] == 0 && reader_.Flags[IrradiatingFlag] == 0) {
        State.Irradiating = false;
        op_.Stopped = host_.now();
        finisherDue = true;
    }
}

// The replies already on their way when "T0 " went out still show the old time: the reset is
// sent once, and again only when the timer has run on well past it (a lost command).
void Acquisition::resetTimerWhenIdle() {
    if (reader_.Timer <= ResetTimerAboveSeconds) {
        timerAtReset_ = -1;
        return;
    }
    const bool resetDue = timerAtReset_ < 0 || reader_.Timer >= timerAtReset_ + ResetRepeatSeconds;
    if (resetDue && reader_.StateCode == Idle && reader_.Flags[BusyFlag] == 0 &&
        reader_.Flags[IrradiatingFlag] == 0) {
        timerAtReset_ = reader_.Timer;
        sendLogged(CommandBuilder::WithCR(CommandBuilder::ResetTimer()));
    }
}

// ---------------------------------------------------------------------------------------------
// TakeDatum

void Acquisition::TakeDatum() {
    const int code = reader_.StateCode;
    if (CarriesDataPoint(code)) {
        storeDataPoint();
    } else if (code == Preheating && op_.Kind == OperationKind::TL) {
        showPreheat();
    } else if (code == CoolingAfterPreheat || code == HoldingAfterTl || code == CoolingAfterTl) {
        recordAfterglowOrCooling(code);
    } else if ((code == Idle || code == HoldingPreheat || code == Holding) &&
               host_.view().showsTL()) {
        showIdleOrHolding(code);
    }
    if (code != Idle || !measurementEnds()) {
        return;
    }
    if (State.Querying) {
        answerQuery();
    } else if (!State.Irradiating) {
        endMeasurement();
    }
}

void Acquisition::storeDataPoint() {
    advancePointIndex();
    const int index = State.PointIndex;
    if (!PointTable::Contains(index)) {
        return; // a counter beyond the table has nowhere to go
    }
    DataPoint& point = Points[index];
    for (int k = 0; k < channels(); ++k) {
        point.Values[static_cast<std::size_t>(k)] = reader_.Counts[static_cast<std::size_t>(k)];
    }
    point.Valid = 1;
    startAfterglow();
    stimulateDuringTl();
    drawRates(reader_.StateCode);
}

void Acquisition::advancePointIndex() {
    const int counter = reader_.PointCounter;
    if (wideCounter()) {
        State.PointIndex = counter;
        return;
    }
    if (State.WrapCount * NarrowCounterModulus + counter < State.PointIndex) {
        ++State.WrapCount;
    }
    State.PointIndex = State.WrapCount * NarrowCounterModulus + counter;
}

void Acquisition::startAfterglow() {
    if (!Afterglow.RecordAfterglow || op_.Kind != OperationKind::TL ||
        State.PointIndex != op_.Points - 1 || State.Afterglow) {
        return;
    }
    const ByteFactors factors = SplitProduct(Afterglow.TimeResolutionMs);
    sendLogged(CommandBuilder::SetAfterglowInterval(factors.m, factors.q));
    State.Afterglow = true;
    State.AfterglowCount = 0;
}

void Acquisition::stimulateDuringTl() {
    if (op_.Kind != OperationKind::TL || !(op_.OSPower > 0.0)) {
        return;
    }
    const int celsius = op_.Increment * reader_.PointCounter;
    const int channel = StimulationChannel(op_);
    if (op_.OSActive == 0 && op_.OSStart <= celsius && celsius < op_.OSStop) {
        op_.OSActive = 1;
        sendLogged(
            CommandBuilder::SetStimulation(CommandBuilder::ConverterUnits(op_.OSPower), channel));
    }
    if (op_.OSActive == 1 && celsius >= op_.OSStop) {
        op_.OSActive = 0;
        sendLogged(CommandBuilder::SetStimulation(0, channel));
    }
}

void Acquisition::drawRates(int code) {
    const int index = State.PointIndex;
    const int shift = PointShift(op_, CompatibilityMode);
    const DataPoint& point = Points[index];
    for (int k = 0; k < channels(); ++k) {
        const double value = point.Values[static_cast<std::size_t>(k)];
        double rate = value;
        if (index > shift) {
            const double width = point.X - Points[index - 1].X;
            rate = width != 0.0 ? value / width : value;
        } else if (point.X > 0.0) {
            rate = value / point.X;
        }
        if (code == HeatingWithData || code == TakingTl) {
            rate *= op_.RampRate;
        }
        host_.view().addCurvePoint(k, point.X, rate);
    }
}

void Acquisition::showPreheat() {
    const double value = double(reader_.Counts[0]) * op_.RampRate;
    host_.view().addPreheatPoint(op_.Increment != 0 ? value / op_.Increment : value);
}

void Acquisition::recordAfterglowOrCooling(int code) {
    const double x = code == HoldingAfterTl ? op_.Temperature : SampleCelsius(reader_);
    const double y = reader_.Counts[0];
    if ((code == HoldingAfterTl || code == CoolingAfterTl) && State.Afterglow &&
        State.PointIndex >= 0) {
        ++State.PointIndex;
        ++State.AfterglowCount;
        const double seconds = double(Afterglow.TimeResolutionMs) * State.AfterglowCount * 0.001;
        if (State.PointIndex <= PointTable::LastIndex) {
            ++op_.Points;
            DataPoint& point = Points[State.PointIndex];
            point.X = seconds;
            point.Values[0] = y;
            point.Values[1] = x;
            point.Valid = 1;
        } else {
            // The table is full: the rest of the afterglow is summed into its last point.
            DataPoint& last = Points[PointTable::LastIndex];
            last.X = seconds;
            last.Values[0] += y;
        }
        if (SampleCelsius(reader_) <= Afterglow.StopTemperature) {
            stopAfterglow();
        }
    }
    host_.view().addStatusPoint(x, y, false);
}

void Acquisition::stopAfterglow() {
    if (!State.Afterglow) {
        return;
    }
    State.Afterglow = false;
    sendLogged(CommandBuilder::NormalAfterglowInterval());
}

void Acquisition::showIdleOrHolding(int code) {
    const double x = code == Idle ? SampleCelsius(reader_) : op_.PreheatTemp;
    host_.view().addStatusPoint(x, reader_.Counts[0], true);
    if (code == Idle) {
        // An afterglow the reader ended before the stop temperature still gets its normal
        // interval back.
        stopAfterglow();
    }
}

bool Acquisition::measurementEnds() const {
    // A point query of point 0, or a measurement of a single point, ends at index 0.
    return State.PointIndex > 0 || (State.PointIndex == 0 && (State.TakingData || State.Querying));
}

void Acquisition::endMeasurement() {
    State.TakingData = false;
    stopAfterglow();
    State.PointIndex = -1;
    State.WrapCount = 0;
    op_.Stopped = host_.now();
    host_.runFinisher();
    host_.view().refreshChart();
}

void Acquisition::answerQuery() {
    const int index = State.PointIndex;
    const int expected = wideCounter() ? index : index % NarrowCounterModulus;
    if (reader_.PointCounter == expected) {
        if (PointTable::Contains(index)) {
            DataPoint& point = Points[index];
            for (int k = 0; k < channels(); ++k) {
                point.Values[static_cast<std::size_t>(k)] =
                    reader_.Counts[static_cast<std::size_t>(k)];
            }
            point.Valid = 1;
        }
        endQuery(Quoted("Recovered point #" + std::to_string(reader_.PointCounter) + ": " +
                        std::to_string(reader_.Counts[0])));
        return;
    }
    RepeatQuery();
}

void Acquisition::RepeatQuery() {
    if (!State.Querying) {
        return;
    }
    const int index = State.PointIndex;
    if (++State.QueryRepeats > MaxQueryRepeats) {
        // The reader keeps answering with other points: this one is given up as invalid.
        if (PointTable::Contains(index)) {
            Points[index].RetryCount = MaxRetries + 1;
        }
        endQuery(Quoted("Gave up point #" + std::to_string(index) + " after " +
                        std::to_string(MaxQueryRepeats) + " repeated queries"));
        return;
    }
    host_.send(CommandBuilder::WithCR(CommandBuilder::RepeatPoint(index)));
    logStamped(Quoted("Q" + std::to_string(index) + " sent from TakeDatum"));
}

void Acquisition::endQuery(const std::string& logText) {
    State.TakingData = false;
    State.Afterglow = false;
    State.Querying = false;
    State.PointIndex = -1;
    State.WrapCount = 0;
    State.QueryRepeats = 0;
    logStamped(logText);
    // The record keeps the measurement's own start and stop times, not the query's.
    host_.runFinisher();
}

// ---------------------------------------------------------------------------------------------
// Lost points

bool Acquisition::AllPointsValid() {
    const int shift = PointShift(op_, CompatibilityMode);
    const int end = std::min(op_.Points + shift, PointTable::Size);
    for (int i = shift; i < end; ++i) {
        DataPoint& point = Points[i];
        if (point.Valid != 0 || point.RetryCount > MaxRetries) {
            continue;
        }
        if (++point.RetryCount > MaxRetries) {
            // Given up: written as invalid, and the later lost points still get read.
            host_.log(PlainLine(Quoted("Gave up point #" + std::to_string(i) + " after " +
                                       std::to_string(MaxRetries) + " queries")));
            continue;
        }
        query(i);
        op_.Complete = 0;
        return false;
    }
    op_.Complete = 1;
    return true;
}

void Acquisition::query(int index) {
    op_.QueryKind = op_.Kind;
    op_.Kind = OperationKind::PointQuery;
    op_.QueryPoint = index;
    host_.log(
        PlainLine("\"AllPointsValid starts quering for point #" + std::to_string(index) + "\""));
    host_.startPointQuery();
}

// ---------------------------------------------------------------------------------------------
// Abort

void Acquisition::AbortAll() {
    // Everything is ended before "Z " goes out, so that a reply the port hands over while it
    // writes finds nothing left to finish.
    const AcquisitionState was = State;
    const bool onUsersRequest = host_.abortItemChecked();
    State = AcquisitionState::Cleared();
    host_.abandonOperation();
    host_.send(CommandBuilder::StopEverything());
    logStamped(std::string(": \"Z \" - aborting everything") +
               (onUsersRequest ? " on users request" : ""));
    if (was.TakingData) {
        logStamped("  while taking" + LuminescenceWord(op_.Kind) + "data ");
    }
    if (was.Irradiating) {
        logStamped("  while irradiating ");
    }
    if (was.Querying) {
        logStamped("  while quering for" + LuminescenceWord(op_.QueryKind));
    }
}

} // namespace gw
