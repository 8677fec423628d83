#include "engine/Acquisition.h"

#include "FakeAcquisitionHost.h"
#include "engine/WatchChecks.h"

#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace gw {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class AcquisitionTest : public ::testing::Test {
protected:
    AcquisitionTest() { setSystem(4); }

    void setSystem(int systemType, int channels = 1) {
        link.setSystemType(systemType);
        link.SetCounterChannels(channels);
    }

    // One decoded status reply.
    void reply(int code, int counter, int count = 0, int temperatureReading = 0) {
        reader.StateCode = code;
        reader.PointCounter = counter;
        reader.Counts[0] = count;
        reader.Data[TemperatureReading] = temperatureReading;
        acquisition.OnStatusReply();
    }

    void startTl(int points, int increment = 5) {
        op = TDataType{};
        op.Kind = OperationKind::TL;
        op.Points = points;
        op.Increment = increment;
        op.RampRate = 5;
        op.Temperature = points * increment;
        acquisition.Points.Clear();
        acquisition.PreparePointAxis();
        acquisition.State.TakingData = true;
        acquisition.State.PointIndex = -1;
    }

    TDataType op;
    ReaderState reader;
    ReaderLinkState link;
    FakeAcquisitionHost host;
    Acquisition acquisition{op, reader, link, host};
};

TEST_F(AcquisitionTest, EightBitCounterWraps) {
    setSystem(2); // 3500
    startTl(300, 1);
    for (const int counter : {250, 253, 1, 4}) {
        reply(6, counter, counter + 1000);
    }
    EXPECT_EQ(acquisition.State.PointIndex, 259);
    EXPECT_EQ(acquisition.State.WrapCount, 1);
    for (const int index : {250, 253, 256, 259}) {
        EXPECT_EQ(acquisition.Points[index].Valid, 1) << index;
    }
    EXPECT_EQ(acquisition.Points[256].Values[0], 1001.0);
    EXPECT_EQ(acquisition.Points[255].Valid, 0);
}

TEST_F(AcquisitionTest, SixSixHundredCounterIsTheIndex) {
    startTl(300, 1);
    reply(6, 280, 7);
    EXPECT_EQ(acquisition.State.PointIndex, 280);
    EXPECT_EQ(acquisition.Points[280].Values[0], 7.0);
    reply(6, 2000, 7); // beyond the table: nothing stored, nothing broken
    EXPECT_EQ(acquisition.State.PointIndex, 2000);
}

TEST_F(AcquisitionTest, EveryChannelIsStoredAndDrawnAsARate) {
    setSystem(4, 2);
    startTl(10, 5);
    reader.Counts = {10, 20, 0, 0};
    reply(6, 0, 10);
    reader.Counts = {30, 40, 0, 0};
    reader.StateCode = 6;
    reader.PointCounter = 1;
    acquisition.OnStatusReply();
    EXPECT_EQ(acquisition.Points[1].Values[1], 40.0);
    ASSERT_EQ(host.curve.size(), 4u);
    // Point 0: 10 counts over X 5 at 5 C/s; point 1: 30 counts over 5 C.
    EXPECT_THAT(host.curve[0], ElementsAre(0.0, 5.0, 10.0));
    EXPECT_THAT(host.curve[2], ElementsAre(0.0, 10.0, 30.0));
    EXPECT_THAT(host.curve[3], ElementsAre(1.0, 10.0, 40.0));
}

TEST_F(AcquisitionTest, StimulationDuringTlSwitchesOnAndOff) {
    startTl(100, 5);
    op.OSPower = 20;
    op.OSStart = 100;
    op.OSStop = 200;
    op.OSDevice = 20;
    for (int counter = 18; counter <= 41; ++counter) {
        reply(6, counter);
    }
    EXPECT_THAT(host.sent, ElementsAre("N819 2 ", "N0 2 "));
    EXPECT_EQ(host.logged[0], "T: \"N819 2 \"");
    EXPECT_EQ(op.OSActive, 0);
}

TEST_F(AcquisitionTest, LampStillOnAfterTheRampIsSwitchedOff) {
    startTl(10, 5);
    op.OSStop = 1000;
    reader.Flags[VisibleLampFlag] = 1;
    reply(6, 1);
    EXPECT_THAT(host.sent, IsEmpty());
    reply(7, 9);
    reader.Flags[InfraredLampFlag] = 1;
    reply(8, 9);
    EXPECT_THAT(host.sent, ElementsAre("N0 2 \r", "N0 0 \r"));
    EXPECT_EQ(host.logged[1], "T: \"N0 0 \"");
}

TEST_F(AcquisitionTest, EndOfMeasurementCallsTheFinisherOnce) {
    startTl(3);
    reply(0, 0);
    EXPECT_EQ(host.finisherCalls, 0) << "the reader has not started yet";
    reply(6, 0);
    reply(6, 1);
    reply(6, 2);
    reply(8, 2);
    reply(0, 2);
    reply(0, 2);
    EXPECT_EQ(host.finisherCalls, 1);
    EXPECT_FALSE(acquisition.State.TakingData);
    EXPECT_EQ(acquisition.State.PointIndex, -1);
    EXPECT_EQ(op.Stopped, 46000.5);
    EXPECT_EQ(host.replyEvents, 7);
    EXPECT_EQ(host.watchCalls, 7);
}

TEST_F(AcquisitionTest, SinglePointMeasurementEnds) {
    startTl(1);
    reply(6, 0);
    reply(0, 0);
    EXPECT_EQ(host.finisherCalls, 1);
}

TEST_F(AcquisitionTest, AfterglowIsRecordedUntilTheStopTemperature) {
    startTl(3, 100);
    acquisition.Afterglow = {true, 500, 100};
    host.tlGraph = true;
    reply(6, 0);
    reply(6, 1);
    EXPECT_THAT(host.sent, IsEmpty());
    reply(6, 2, 33);
    EXPECT_THAT(host.sent, ElementsAre("T22 2 250 "));
    reply(7, 2, 40, 75); // holding at 300 C
    reply(8, 2, 20, 50); // 200 C
    reply(8, 2, 10, 25); // 100 C: the stop temperature
    reply(8, 2, 5, 20);
    EXPECT_THAT(host.sent, ElementsAre("T22 2 250 ", "T22 4 250 "));
    EXPECT_EQ(op.Points, 6);
    EXPECT_EQ(acquisition.State.AfterglowCount, 3);
    EXPECT_DOUBLE_EQ(acquisition.Points[3].X, 0.5);
    EXPECT_EQ(acquisition.Points[3].Values[0], 40.0);
    EXPECT_EQ(acquisition.Points[3].Values[1], 300.0); // holding at the end temperature
    EXPECT_DOUBLE_EQ(acquisition.Points[5].X, 1.5);
    EXPECT_EQ(acquisition.Points[5].Values[1], 100.0);
    reply(0, 2);
    EXPECT_EQ(host.finisherCalls, 1);
}

TEST_F(AcquisitionTest, AfterglowEndedByTheReaderRestoresTheInterval) {
    startTl(2, 100);
    acquisition.Afterglow = {true, 1000, 20};
    host.tlGraph = true;
    reply(6, 0);
    reply(6, 1);
    reply(8, 1, 5, 50);
    reply(0, 1, 0, 40);
    EXPECT_THAT(host.sent, ElementsAre("T22 4 250 ", "T22 4 250 "));
    EXPECT_FALSE(acquisition.State.Afterglow);
    EXPECT_EQ(host.finisherCalls, 1);
}

TEST_F(AcquisitionTest, AfterglowBeyondTheTableIsSummedIntoTheLastPoint) {
    startTl(PointTable::Size - 1, 1);
    acquisition.Afterglow = {true, 1000, 0};
    reply(6, PointTable::Size - 2);
    reply(8, 0, 4, 100);
    reply(8, 0, 6, 100);
    reply(8, 0, 7, 100);
    EXPECT_EQ(op.Points, PointTable::Size);
    EXPECT_EQ(acquisition.Points[PointTable::LastIndex].Values[0], 4.0 + 6.0 + 7.0);
    EXPECT_DOUBLE_EQ(acquisition.Points[PointTable::LastIndex].X, 3.0);
}

TEST_F(AcquisitionTest, IrradiationEndsWhenTheReaderStops) {
    op.Kind = OperationKind::Irradiation;
    op.IrradTime = 100;
    link.PurgeSwitch = true;
    acquisition.State.Irradiating = true;
    reader.Flags[IrradiatingFlag] = 1;
    reader.Timer = 30;
    reply(0, 0);
    EXPECT_THAT(host.sent, IsEmpty());
    reader.Timer = 45; // 55 s left, purge wanted but off
    reply(0, 0);
    EXPECT_THAT(host.sent, ElementsAre("P1 "));
    EXPECT_THAT(host.logged, IsEmpty());
    reader.Flags[IrradiatingFlag] = 0;
    reader.Flags[PurgeFlag] = 1;
    reply(0, 0);
    EXPECT_EQ(host.finisherCalls, 1);
    EXPECT_FALSE(acquisition.State.Irradiating);
}

TEST_F(AcquisitionTest, FinisherRunsAfterTheReplyEvent) {
    op.Kind = OperationKind::Irradiation;
    acquisition.State.Irradiating = true;
    host.onFinisher = [this] { EXPECT_EQ(host.replyEvents, 1); };
    reply(0, 0);
    EXPECT_EQ(host.finisherCalls, 1);
}

TEST_F(AcquisitionTest, IdleTimerIsReset) {
    reader.Timer = 2001;
    reply(0, 0);
    reader.Flags[BusyFlag] = 1;
    reply(0, 0);
    EXPECT_THAT(host.sent, ElementsAre("T0 \r"));
    EXPECT_THAT(host.logged, ElementsAre("T: \"T0 \""));
}

// The replies already on their way when "T0 " went out still show the old time: one reset for
// them, another only when the timer runs on well past it or after it came back.
TEST_F(AcquisitionTest, TimerResetIsNotRepeatedForRepliesOnTheirWay) {
    for (const int timer : {2001, 2005, 2030, 2060, 2061, 3, 2500}) {
        reader.Timer = timer;
        reply(0, 0);
    }
    EXPECT_THAT(host.sent, ElementsAre("T0 \r", "T0 \r", "T0 \r"));
}

TEST_F(AcquisitionTest, SeriousReaderErrorAbortsEverything) {
    struct Case {
        int errorBits;
        bool aborts;
    };
    for (const Case c : {Case{0x004, false}, Case{0x200, false}, Case{0x400, false},
                         Case{0x001, true}, Case{0x800, true}, Case{0x020, true}}) {
        FakeAcquisitionHost freshHost;
        Acquisition fresh(op, reader, link, freshHost);
        reader.ErrorBits = c.errorBits;
        reader.StateCode = 0;
        fresh.OnStatusReply();
        EXPECT_EQ(freshHost.abandoned, c.aborts ? 1 : 0) << c.errorBits;
    }
}

TEST_F(AcquisitionTest, SeriousErrorAbortsOncePerFault) {
    struct Step {
        int errorBits;
        bool operationStarted;
        bool aborts;
    };
    const std::vector<Step> steps = {
        {0x001, false, true},                         // the thermocouple fails
        {0x001, false, false},                        // and stays failed
        {0x005, false, false},                        // a ramp error is no serious one
        {0x003, false, true},                         // the high voltage fails too
        {0x002, false, false},                        // the thermocouple recovers
        {0x002, true, true},                          // an operation started meanwhile
        {0x002, false, false}, {0x000, false, false}, // the fault is over
        {0x002, false, true},                         // and comes back
    };
    int aborts = 0;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        acquisition.State.TakingData = steps[i].operationStarted;
        reader.ErrorBits = steps[i].errorBits;
        reply(0, 0);
        aborts += steps[i].aborts ? 1 : 0;
        EXPECT_EQ(host.abandoned, aborts) << "step " << i;
    }
    EXPECT_EQ(std::count(host.sent.begin(), host.sent.end(), "Z "), aborts);
    EXPECT_EQ(std::count(host.logged.begin(), host.logged.end(), "T: \"Z \" - aborting everything"),
              aborts);
}

TEST_F(AcquisitionTest, AbortLogsWhatWasRunning) {
    op.Kind = OperationKind::OSL;
    op.QueryKind = OperationKind::TL;
    acquisition.State.TakingData = true;
    acquisition.State.Irradiating = true;
    acquisition.State.Querying = true;
    acquisition.State.PointIndex = 17;
    host.abortChecked = true;
    acquisition.AbortAll();
    EXPECT_THAT(host.sent, ElementsAre("Z "));
    EXPECT_THAT(host.logged,
                ElementsAre("T: \"Z \" - aborting everything on users request",
                            "T  while taking OS luminescence data ", "T  while irradiating ",
                            "T  while quering for TS luminescence "));
    EXPECT_EQ(acquisition.State, AcquisitionState::Cleared());
    EXPECT_EQ(host.abandoned, 1);
}

// ---------------------------------------------------------------------------------------------
// Lost points

class PointQueryTest : public AcquisitionTest {
protected:
    // A finished measurement whose listed points never arrived.
    void finishedWithLost(OperationKind kind, int points, std::initializer_list<int> lost) {
        op = TDataType{};
        op.Kind = kind;
        op.Points = points;
        acquisition.Points.Clear();
        for (int i = 0; i < points + 1; ++i) {
            acquisition.Points[i].Valid = 1;
        }
        for (const int i : lost) {
            acquisition.Points[i].Valid = 0;
        }
    }

    // What the data-take thread does for a query.
    void runQuery() {
        ASSERT_EQ(op.Kind, OperationKind::PointQuery);
        acquisition.State.PointIndex = op.QueryPoint;
        acquisition.State.Querying = true;
        acquisition.State.QueryRepeats = 0;
    }

    // The finisher: restore the kind and check again.
    void finisher() {
        if (op.Kind == OperationKind::PointQuery) {
            op.Kind = op.QueryKind;
        }
        verdicts.push_back(acquisition.AllPointsValid());
    }

    std::vector<bool> verdicts;
};

TEST_F(PointQueryTest, FirstOperationOfASessionQueriesItsLostPointsToo) {
    op.Kind = OperationKind::TL;
    op.Points = 50;
    for (int i = 0; i < 50; ++i) {
        if (i != 20) {
            acquisition.Points[i].Valid = 1;
        }
    }
    EXPECT_FALSE(acquisition.AllPointsValid());
    EXPECT_EQ(op.QueryPoint, 20);
    EXPECT_EQ(host.queriesStarted, 1);
}

TEST_F(PointQueryTest, LostPointIsQueriedAndRecovered) {
    finishedWithLost(OperationKind::OSL, 20, {7});
    op.Started = 46000.25;
    op.Stopped = 46000.26;
    EXPECT_FALSE(acquisition.AllPointsValid());
    EXPECT_EQ(op.Kind, OperationKind::PointQuery);
    EXPECT_EQ(op.QueryKind, OperationKind::OSL);
    EXPECT_EQ(op.QueryPoint, 7);
    EXPECT_EQ(op.Complete, 0);
    EXPECT_THAT(host.logged, ElementsAre("\"AllPointsValid starts quering for point #7\""));
    runQuery();
    host.onFinisher = [this] { finisher(); };
    reply(0, 19, 5); // an idle reply of the last point: ask again
    EXPECT_THAT(host.sent, ElementsAre("Q7 \r"));
    EXPECT_EQ(host.logged.back(), "T: \"Q7 sent from TakeDatum\"");
    reply(0, 7, 123);
    EXPECT_EQ(host.logged.back(), "T: \"Recovered point #7: 123\"");
    EXPECT_EQ(acquisition.Points[7].Values[0], 123.0);
    EXPECT_EQ(acquisition.Points[7].Valid, 1);
    EXPECT_FALSE(acquisition.State.Querying);
    EXPECT_THAT(verdicts, ElementsAre(true));
    EXPECT_EQ(op.Kind, OperationKind::OSL);
    EXPECT_EQ(op.Complete, 1);
    EXPECT_EQ(op.Started, 46000.25) << "the measurement's own times";
    EXPECT_EQ(op.Stopped, 46000.26);
}

TEST_F(PointQueryTest, LostPointZeroIsRecovered) {
    finishedWithLost(OperationKind::TL, 20, {0});
    EXPECT_FALSE(acquisition.AllPointsValid());
    EXPECT_EQ(op.QueryPoint, 0);
    runQuery();
    host.onFinisher = [this] { finisher(); };
    reply(0, 0, 77);
    EXPECT_EQ(acquisition.Points[0].Values[0], 77.0);
    EXPECT_THAT(verdicts, ElementsAre(true));
}

TEST_F(PointQueryTest, QueryOfAnEightBitReaderMatchesTheWrappedCounter) {
    setSystem(3);
    finishedWithLost(OperationKind::TL, 400, {300});
    EXPECT_FALSE(acquisition.AllPointsValid());
    runQuery();
    host.onFinisher = [this] { finisher(); };
    reply(0, 300 % 255, 9);
    EXPECT_EQ(acquisition.Points[300].Valid, 1);
    EXPECT_THAT(verdicts, ElementsAre(true));
}

TEST_F(PointQueryTest, RepeatedWrongAnswersGiveThePointUp) {
    finishedWithLost(OperationKind::TL, 20, {4, 9});
    EXPECT_FALSE(acquisition.AllPointsValid());
    runQuery();
    host.onFinisher = [this] {
        finisher();
        if (op.Kind == OperationKind::PointQuery) {
            runQuery();
        }
    };
    for (int i = 0; i < 11; ++i) {
        reply(0, 19);
    }
    EXPECT_EQ(host.sent.size(), 10u);
    EXPECT_EQ(host.logged.back(), "\"AllPointsValid starts quering for point #9\"")
        << "after giving point 4 up the next lost point is read";
    EXPECT_EQ(host.logged[host.logged.size() - 2],
              "T: \"Gave up point #4 after 10 repeated queries\"");
    reply(0, 9, 5);
    EXPECT_THAT(verdicts, ElementsAre(false, true));
    EXPECT_EQ(acquisition.Points[4].Valid, 0);
    EXPECT_EQ(acquisition.Points[9].Valid, 1);
    EXPECT_EQ(op.Complete, 1);
}

TEST_F(PointQueryTest, PointIsGivenUpAfterTenQueries) {
    finishedWithLost(OperationKind::TL, 20, {3, 5});
    int queries = 0;
    while (!acquisition.AllPointsValid()) {
        ++queries;
        ASSERT_LT(queries, 100);
        op.Kind = op.QueryKind; // the query came back without the point
    }
    EXPECT_EQ(queries, 20);
    EXPECT_EQ(acquisition.Points[3].RetryCount, 11);
    EXPECT_EQ(acquisition.Points[5].RetryCount, 11);
    EXPECT_EQ(op.Complete, 1);
}

TEST_F(PointQueryTest, CompatibilityOslOfAFullCurveQueriesItsLastPoint) {
    acquisition.CompatibilityMode = true;
    finishedWithLost(OperationKind::OSL, PointTable::MaxCurvePoints, {PointTable::MaxCurvePoints});
    EXPECT_FALSE(acquisition.AllPointsValid());
    EXPECT_EQ(op.QueryPoint, PointTable::MaxCurvePoints);
}

TEST_F(PointQueryTest, CompatibilityOslNeverQueriesPointZero) {
    acquisition.CompatibilityMode = true;
    finishedWithLost(OperationKind::OSL, 5, {0});
    EXPECT_TRUE(acquisition.AllPointsValid());
    finishedWithLost(OperationKind::TL, 5, {0});
    EXPECT_FALSE(acquisition.AllPointsValid());
}

} // namespace
} // namespace gw
