#pragma once

#include "engine/AcquisitionHost.h"
#include "engine/AcquisitionState.h"
#include "engine/AfterglowSettings.h"
#include "engine/PointTable.h"
#include "engine/TDataType.h"
#include "link/ReaderLinkState.h"
#include "link/ReaderState.h"

#include <string>

namespace gw {

// The point acquisition: what the console does with each decoded status reply while an
// operation runs (store the data point, switch the stimulation during a TL, record the
// afterglow, notice the end of the measurement or irradiation, call the finisher), the check for
// lost points and their re-reading, and the abort. Runs on the user-interface thread only.
class Acquisition {
public:
    // A point queried more often than this is given up and written as invalid.
    static constexpr int MaxRetries = 10;
    // A query answered this many times with another point is given up as well.
    static constexpr int MaxQueryRepeats = 10;

    Acquisition(TDataType& operation, const ReaderState& reader, const ReaderLinkState& link,
                AcquisitionHost& host);

    // The engine's steps after a status reply has been decoded into the reader state, in their
    // order; the last of them sets ReplyEvent and calls the finisher when it became due.
    void OnStatusReply();

    // One reply's data handling.
    void TakeDatum();

    // Called by every finisher before it writes. True when every point is valid or given up;
    // false when a point query has been started (the finisher must return at once).
    bool AllPointsValid();

    // Stops the reader and ends everything: the acquisition, the slots, the script run and any
    // data-take thread still preparing the reader.
    void AbortAll();

    // Asks the reader again for the queried point, the query's answer being another point or
    // none at all; after MaxQueryRepeats the point is given up and the finisher called.
    void RepeatQuery();

    // Fills the point axis of the current operation (before it starts).
    void PreparePointAxis();

    PointTable Points;
    AcquisitionState State;
    AfterglowSettings Afterglow;
    bool CompatibilityMode = false; // "Veltrax compatible": OSL points start at index 1

private:
    void sendLogged(const Command& command);
    void logStamped(std::string text) { host_.log(StampedLine(std::move(text))); }
    int channels() const { return link_.layout.CounterChannels; }
    bool wideCounter() const;

    void abortOnSeriousError();
    bool operationUnderWay() const;
    void switchOffStimulationAfterRamp();
    void followIrradiation(bool& finisherDue);
    void resetTimerWhenIdle();

    void storeDataPoint();
    void advancePointIndex();
    void startAfterglow();
    void stimulateDuringTl();
    void drawRates(int code);
    void showPreheat();
    void recordAfterglowOrCooling(int code);
    void showIdleOrHolding(int code);
    void stopAfterglow();
    bool measurementEnds() const;
    void endMeasurement();
    void answerQuery();
    void endQuery(const std::string& logText);

    void query(int index);

    TDataType& op_;
    const ReaderState& reader_;
    const ReaderLinkState& link_;
    AcquisitionHost& host_;
    int seriousBitsAborted_ = 0; // the serious error bits of the reader's present fault
    // The reader's timer when "T0 " was last sent, until a reply shows it reset (-1: none due).
    int timerAtReset_ = -1;
};

} // namespace gw
