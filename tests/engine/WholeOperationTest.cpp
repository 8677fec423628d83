#include "EngineHarness.h"
#include "engine/WatchChecks.h"

#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace gw::testing {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::Not;

TDataType Tl(int disk, int endTemperature = 100, int increment = 2) {
    TDataType op;
    op.Kind = OperationKind::TL;
    op.Disk = disk;
    op.Temperature = endTemperature;
    op.Increment = increment;
    op.RampRate = 10;
    op.CoolTemp = 60;
    op.Points = endTemperature / increment;
    op.Complete = 1;
    return op;
}

int ValidPoints(const PointTable& points, int count) {
    int valid = 0;
    for (int i = 0; i < count; ++i) {
        valid += points[i].Valid;
    }
    return valid;
}

TEST(WholeOperationTest, TlOnADisk) {
    EngineHarness bench(SimOptions{});
    ASSERT_TRUE(bench.open());
    ASSERT_TRUE(bench.runToEnd(Tl(3))) << bench.logText();
    EXPECT_THAT(bench.commandsSent(), ElementsAre("T0 ", "@0 O1 ", "M ", "A3 ",
                                                  "E100 0 W0 0 S0 0 D2 L60 R10 G1 ", "M O0 P0 "))
        << bench.logText();
    EXPECT_EQ(ValidPoints(bench.recordPoints, 50), 50);
    EXPECT_EQ(bench.record.Complete, 1);
    EXPECT_GT(bench.record.Stopped, bench.record.Started);
    EXPECT_TRUE(RunUntil([&] { return !bench.engine.dataTakeRunning(); }));
    EXPECT_TRUE(bench.logged(": DataTake thread returned"));
}

TDataType Osl(int disk, int points = 40) {
    TDataType op;
    op.Kind = OperationKind::OSL;
    op.Disk = disk;
    op.Device = 20;
    op.Power = 20;
    op.Temperature = 125;
    op.Points = points;
    op.X = {1, 1, 1, 1};
    op.Y = {100, 100, 100, 100};
    op.N = {points, 0, 0, 0};
    op.Complete = 1;
    return op;
}

// What a starter sends before an OSL kind: the time base and the segment points.
void SendTimeBase(EngineHarness& bench, const TDataType& op) {
    bench.console.ports.reader().write("B1 100 1 100 1 100 1 100 \r");
    bench.console.ports.reader().write(
        QByteArray::fromStdString("X" + std::to_string(op.Points) + " 0 0 0 \r"));
}

TDataType Irradiation(char source, int disk, int seconds) {
    TDataType op;
    op.Kind = OperationKind::Irradiation;
    op.Source = source;
    op.Disk = disk;
    op.IrradTime = seconds;
    op.PositionOffset = 15;
    op.Temperature = 20;
    op.Device = 100;
    op.Complete = 1;
    return op;
}

TEST(WholeOperationTest, TlOverEightBitFramesOnA3500) {
    SimOptions options;
    options.systemType = 2;
    options.eightBit = true;
    EngineHarness bench(options);
    bench.console.ports.reader().setEightBitMode(true);
    ASSERT_TRUE(bench.open());
    // 300 points: the 3500's 8-bit point counter wraps on the way.
    ASSERT_TRUE(bench.runToEnd(Tl(3, 600, 2))) << bench.logText();
    EXPECT_EQ(ValidPoints(bench.recordPoints, 300), 300);
    EXPECT_THAT(bench.commandsSent(), Contains("E600 0 W0 0 S0 0 D2 L60 R10 G1 "));
}

// The watchdog lines of a run, in order.
std::vector<std::string> Watchdogs(EngineHarness& bench) {
    std::vector<std::string> lines;
    const Dump& dump = bench.console.log().dump();
    for (std::size_t i = 0; i < dump.lineCount(); ++i) {
        if (dump.line(i).find("watchdog returned") != std::string::npos) {
            lines.push_back(dump.line(i));
        }
    }
    return lines;
}

TEST(WholeOperationTest, SilentReaderTimesOutEveryWaitAndTheMeasurementIsNotStarted) {
    EngineHarness bench(SimOptions{}); // the reader port stays closed: no reply ever comes
    ASSERT_TRUE(bench.start(Tl(3)));
    ASSERT_TRUE(RunUntil([&] { return !bench.engine.dataTakeRunning(); }));
    EXPECT_THAT(Watchdogs(bench), ElementsAre("T: \"2 seconds\" watchdog returned - timeout",
                                              "T: \"until cooled\" watchdog returned - timeout",
                                              "T: \"until busy\" watchdog returned - timeout",
                                              "T: \"until not busy\" watchdog returned - timeout",
                                              "T: \"until busy\" watchdog returned - timeout",
                                              "T: \"until not busy\" watchdog returned - timeout",
                                              "T: \"reader serial\" watchdog returned - signaled"));
    // After the positioning time-out the reader timer is reset once more; the measurement
    // command is never sent into a closed port, the operation is stopped instead.
    EXPECT_THAT(bench.commandsSent(), ElementsAre("T0 ", "@0 O1 ", "M ", "A3 ", "T0 ", "Z "));
    EXPECT_TRUE(bench.logged("T: port closed - not sent: \"A3 \""));
    EXPECT_TRUE(bench.logged("T: the reader port stayed closed - the measurement was not started"));
    EXPECT_FALSE(bench.engine.state().TakingData);
}

TEST(WholeOperationTest, OslWithTheHalogenLamp) {
    EngineHarness bench(SimOptions{});
    bench.console.profile.Profile.HalogenSwitch = true;
    bench.console.profile.Profile.LampOnTime = 5;
    ASSERT_TRUE(bench.open());
    const TDataType osl = Osl(5);
    SendTimeBase(bench, osl);
    ASSERT_TRUE(bench.runToEnd(osl)) << bench.logText();
    EXPECT_THAT(bench.commandsSent(),
                ElementsAre("T0 ", "@125 O1 ", "M ", "A5 ", "U819 2 0 ", "M O0 P0 "))
        << bench.logText();
    EXPECT_THAT(bench.lamp.actions, ElementsAre("base 544 0", "on"));
    EXPECT_TRUE(bench.logged("T: Halogen lamp switched on - stabilizing for 5 s"));
    EXPECT_TRUE(bench.logged("T: Halogen lamp stabilization watchdog returned - timeout"));
    EXPECT_THAT(bench.graph.statuses, Contains("stabilizing halogen lamp"));
    EXPECT_TRUE(bench.logged("T: \"until warm\" watchdog returned - "));
    EXPECT_FALSE(bench.logged("until cooled")) << "only a TL waits for the heater to cool";
    EXPECT_EQ(ValidPoints(bench.recordPoints, 40), 40);
    EXPECT_NEAR(bench.recordPoints[39].X, 4.0, 1e-9);
    ASSERT_EQ(bench.graph.setups.size(), 1u);
    EXPECT_EQ(bench.graph.setups[0].title, "OSL curve");
    EXPECT_THAT(bench.graph.statuses, Contains("in progress"));
}

TEST(WholeOperationTest, TheThreadWorksFromTheProfileAsItWasAtTheStart) {
    EngineHarness bench(SimOptions{});
    bench.console.profile.Profile.HalogenSwitch = true;
    ASSERT_TRUE(bench.open());
    const TDataType osl = Osl(5);
    SendTimeBase(bench, osl);
    ASSERT_TRUE(bench.start(osl));
    // A profile loaded while the thread prepares the reader (under ThreadSanitizer a read of the
    // shared profile by the thread would be reported here).
    bench.console.profile.Profile = SystemProfile{};
    ASSERT_TRUE(RunUntil([&] { return bench.finished; }, 30000)) << bench.logText();
    EXPECT_THAT(bench.lamp.actions, ElementsAre("base 544 0", "on"));
}

TEST(WholeOperationTest, LmOsl) {
    EngineHarness bench(SimOptions{});
    ASSERT_TRUE(bench.open());
    TDataType lm = Osl(7, 30);
    lm.Kind = OperationKind::LMOSL;
    lm.Device = 40;
    lm.PowerIncrement = 10;
    lm.XFactor = 1;
    lm.YFactor = 100;
    SendTimeBase(bench, lm);
    ASSERT_TRUE(bench.runToEnd(lm)) << bench.logText();
    EXPECT_THAT(bench.commandsSent(),
                ElementsAre("T0 ", "@125 O1 ", "M ", "A7 ", "U10 6 0 ", "M O0 P0 "));
    EXPECT_EQ(ValidPoints(bench.recordPoints, 30), 30);
    EXPECT_EQ(bench.graph.setups.at(0).title, "M-OSL curve");
}

TEST(WholeOperationTest, InternalIrradiation) {
    EngineHarness bench(SimOptions{});
    ASSERT_TRUE(bench.open());
    ASSERT_TRUE(bench.runToEnd(Irradiation('X', 50, 20))) << bench.logText();
    EXPECT_THAT(bench.commandsSent(), ElementsAre("T0 ", "@20 O2 ", "M ", "J5 ", "I20 0 "))
        << bench.logText();
    EXPECT_TRUE(bench.logged("T: \"until irrad\" watchdog returned - signaled"));
    EXPECT_FALSE(bench.engine.state().Irradiating);
    EXPECT_EQ(bench.finisherRecords, 1);
    EXPECT_GT(bench.record.Stopped, bench.record.Started);
    // The reader irradiated for 20 s at its dose rate.
    EXPECT_NEAR(bench.sim().sample(50).accumulatedDoseGy(), SimOptions{}.naturalDoseGy + 2.0, 0.5);
}

TEST(WholeOperationTest, ExternalIrradiationIsOnlyRecorded) {
    EngineHarness bench(SimOptions{});
    ASSERT_TRUE(bench.open());
    ASSERT_TRUE(bench.runToEnd(Irradiation('B', 2, 300))) << bench.logText();
    EXPECT_THAT(bench.commandsSent(), ElementsAre("T0 ", "@20 O2 ", "M ", "J17 "));
    EXPECT_FALSE(bench.logged("until irrad"));
    EXPECT_EQ(bench.finisherRecords, 1);
}

TEST(WholeOperationTest, TlWithAfterglow) {
    EngineHarness bench(SimOptions{});
    bench.engine.afterglow() = {true, 500, 80};
    ASSERT_TRUE(bench.open());
    ASSERT_TRUE(bench.runToEnd(Tl(4))) << bench.logText();
    const auto commands = bench.commandsSent();
    EXPECT_THAT(commands,
                ElementsAre("T0 ", "@0 O1 ", "M ", "A4 ", "E100 0 W0 0 S0 0 D2 L60 R10 G1 ",
                            "T22 2 250 ", "T22 4 250 ", "M O0 P0 "))
        << bench.logText();
    EXPECT_GT(bench.record.Points, 50);
    EXPECT_EQ(ValidPoints(bench.recordPoints, bench.record.Points), bench.record.Points);
    EXPECT_GT(bench.recordPoints[50].Values[1], 80.0) << "the sample temperature of the afterglow";
    EXPECT_DOUBLE_EQ(bench.recordPoints[50].X, 0.5);
}

TEST(WholeOperationTest, DiskWithHolesInPlaceSkipsThePreparation) {
    SimOptions options;
    options.hasScanner = true;
    EngineHarness bench(options);
    ASSERT_TRUE(bench.open());
    ASSERT_TRUE(bench.console.ports.scanner().open());
    const int here = bench.console.readerState.Position;
    TDataType osl = Osl(here);
    osl.UseHoles = 1;
    osl.Hole = 4;
    SendTimeBase(bench, osl);
    ASSERT_TRUE(bench.runToEnd(osl)) << bench.logText();
    EXPECT_THAT(bench.commandsSent(),
                ElementsAre("scanner ]5 4 ", "scanner ]6 -1 1 ", "U819 2 0 ", "M O0 P0 "))
        << bench.logText();
    EXPECT_TRUE(bench.logged("T: \"move beam\" sent to scanner - ]5 4 "));
    // At this time scale the scanner's 1 s may run out before it answers; either way the
    // thread logs the wait and goes on.
    EXPECT_TRUE(bench.logged("T: \"move beam\" watchdog returned - "));
    EXPECT_TRUE(bench.logged("T: \"arm laser\" watchdog returned - "));
    EXPECT_EQ(bench.record.ScannerWait, 0);
    EXPECT_TRUE(bench.graph.setups.at(0).showHole);

    // With ForceMove the same disk is prepared, the scanner acquiring the disk first.
    osl.ForceMove = 1;
    ASSERT_TRUE(bench.runToEnd(osl)) << bench.logText();
    EXPECT_THAT(bench.commandsSent(),
                ElementsAre("T0 ", "@125 O1 ", "M ", "A" + std::to_string(here) + " ",
                            "scanner ]0 ", "scanner ]5 4 ", "scanner ]6 -1 1 ", "U819 2 0 ",
                            "M O0 P0 "));
    EXPECT_EQ(bench.console.CurrentOperation.ForceMove, 0);
}

TEST(WholeOperationTest, LostPointsAreReadAgain) {
    SimOptions options;
    options.faults.lostPointShare = 0.1;
    options.seed = 7;
    EngineHarness bench(options);
    ASSERT_TRUE(bench.open());
    double started = 0;
    double stopped = 0;
    bench.beforeCheck = [&] {
        if (started == 0) { // the measurement's end, before any point is read again
            started = bench.console.CurrentOperation.Started;
            stopped = bench.console.CurrentOperation.Stopped;
        }
    };
    ASSERT_TRUE(bench.runToEnd(Tl(1))) << bench.logText();
    EXPECT_GT(bench.sim().faultCounts().lostPoints, 0);
    EXPECT_GT(stopped, started);
    EXPECT_EQ(bench.record.Started, started) << "the re-read points keep the measurement's times";
    EXPECT_EQ(bench.record.Stopped, stopped);
    EXPECT_TRUE(bench.logged("\"AllPointsValid starts quering for point #"));
    EXPECT_TRUE(bench.logged("T: \"Recovered point #"));
    EXPECT_EQ(ValidPoints(bench.recordPoints, 50), 50) << bench.logText();
    double counts = 0;
    for (int i = 0; i < 50; ++i) {
        counts += bench.recordPoints[i].Values[0];
    }
    EXPECT_GT(counts, 0.0) << "the detector counted";
    EXPECT_EQ(bench.record.Kind, OperationKind::TL);
    EXPECT_EQ(bench.record.Complete, 1);
    EXPECT_EQ(bench.finisherRecords, 1);
}

TEST(WholeOperationTest, LostPointZeroIsReadAgain) {
    EngineHarness bench(SimOptions{});
    ASSERT_TRUE(bench.open());
    bool lost = false;
    bench.beforeCheck = [&] {
        if (!lost) {
            lost = true; // as if the reply of point 0 had never arrived
            bench.engine.points()[0].Valid = 0;
            bench.engine.points()[0].Values[0] = 0;
        }
    };
    ASSERT_TRUE(bench.runToEnd(Tl(2))) << bench.logText();
    EXPECT_TRUE(bench.logged("\"AllPointsValid starts quering for point #0\""));
    EXPECT_TRUE(bench.logged("T: \"Recovered point #0: "));
    EXPECT_EQ(bench.recordPoints[0].Valid, 1);
    EXPECT_THAT(bench.commandsSent(), Contains("Q0 "));
}

TEST(WholeOperationTest, PointThatCannotBeReadIsGivenUp) {
    SimOptions options;
    options.faults.lostPointShare = 0.1;
    options.seed = 7;
    EngineHarness bench(options);
    ASSERT_TRUE(bench.open());
    bench.beforeCheck = [&] {
        // From now on the reader's status replies cannot be decoded.
        SimFaults faults = bench.sim().options().faults;
        faults.garbledShare = 1.0;
        bench.sim().setFaults(faults);
    };
    ASSERT_TRUE(bench.runToEnd(Tl(1))) << bench.logText();
    EXPECT_TRUE(bench.logged("repeated queries\""));
    EXPECT_LT(ValidPoints(bench.recordPoints, 50), 50);
    EXPECT_EQ(bench.record.Complete, 1);
    EXPECT_EQ(bench.finisherRecords, 1);
}

// The commands after the abort's "Z ": none.
std::vector<std::string> CommandsAfterAbort(EngineHarness& bench) {
    const auto commands = bench.commandsSent();
    const auto z = std::find(commands.begin(), commands.end(), "Z ");
    return z == commands.end() ? commands : std::vector<std::string>(z + 1, commands.end());
}

TEST(WholeOperationTest, AbortDuringThePlatterMove) {
    EngineHarness bench(SimOptions{});
    ASSERT_TRUE(bench.open());
    ASSERT_TRUE(bench.start(Tl(40)));
    ASSERT_TRUE(RunUntil([&] { return bench.logged("Jump or Advance command sent"); }));
    bench.engine.AbortAll();
    ASSERT_TRUE(RunUntil([&] { return !bench.engine.dataTakeRunning(); }));
    RunUntil([] { return false; }, 300);
    EXPECT_THAT(bench.commandsSent(), Contains("Z "));
    EXPECT_THAT(CommandsAfterAbort(bench), ::testing::IsEmpty()) << bench.logText();
    EXPECT_TRUE(bench.logged("T: \"Z \" - aborting everything"));
    EXPECT_TRUE(bench.logged("T: DataTake thread stopped by the abort - nothing more sent"));
    EXPECT_FALSE(bench.engine.state().TakingData);
    EXPECT_EQ(bench.finisherRecords, 0);
    EXPECT_EQ(bench.sim().stateCode(), 0);
}

TEST(WholeOperationTest, AbortDuringTheMeasurement) {
    EngineHarness bench(SimOptions{});
    ASSERT_TRUE(bench.open());
    ASSERT_TRUE(bench.start(Tl(6, 300)));
    ASSERT_TRUE(RunUntil([&] { return bench.engine.state().PointIndex > 10; }));
    bench.engine.AbortAll();
    RunUntil([] { return false; }, 300);
    EXPECT_TRUE(bench.logged("T  while taking TS luminescence data "));
    EXPECT_THAT(CommandsAfterAbort(bench), ::testing::IsEmpty());
    EXPECT_EQ(bench.finisherRecords, 0);
    EXPECT_EQ(bench.sim().stateCode(), 0) << "the reader stopped heating";
    EXPECT_FALSE(bench.engine.state().TakingData);
}

TEST(WholeOperationTest, AbortDuringAnIrradiation) {
    EngineHarness bench(SimOptions{});
    bench.engine.isAbortItemChecked = [] { return true; };
    int unchecked = 0;
    bench.engine.uncheckAbortItems = [&] { ++unchecked; };
    ASSERT_TRUE(bench.open());
    ASSERT_TRUE(bench.start(Irradiation('X', 8, 200)));
    ASSERT_TRUE(RunUntil([&] { return bench.engine.state().Irradiating; }));
    bench.engine.AbortAll();
    RunUntil([] { return false; }, 300);
    EXPECT_TRUE(bench.logged("T: \"Z \" - aborting everything on users request"));
    EXPECT_TRUE(bench.logged("T  while irradiating "));
    EXPECT_EQ(unchecked, 1);
    EXPECT_EQ(bench.finisherRecords, 0);
    EXPECT_FALSE(bench.engine.state().Irradiating);
    EXPECT_FALSE(bench.console.ReplyEvent.IsSet() && bench.sim().stateCode() != 0);
    EXPECT_THAT(CommandsAfterAbort(bench), ::testing::IsEmpty());
}

// How often the log holds the line.
int LinesWith(EngineHarness& bench, const std::string& text) {
    int count = 0;
    const Dump& dump = bench.console.log().dump();
    for (std::size_t i = 0; i < dump.lineCount(); ++i) {
        count += dump.line(i).find(text) != std::string::npos ? 1 : 0;
    }
    return count;
}

TEST(WholeOperationTest, PersistentReaderErrorAbortsOncePerAddedBit) {
    SimOptions options;
    options.faults.errorBits = 0x001;
    EngineHarness bench(options);
    ASSERT_TRUE(bench.open());
    const auto replies = [&](const char* error, int count) {
        return RunUntil([&] { return LinesWith(bench, error) >= count; });
    };
    ASSERT_TRUE(replies("reader error - thermocouple", 20));
    EXPECT_EQ(LinesWith(bench, "\"Z \" - aborting everything"), 1) << bench.logText();
    SimFaults faults = bench.sim().options().faults;
    faults.errorBits = 0x003;
    bench.sim().setFaults(faults);
    ASSERT_TRUE(replies("reader error - high voltage", 20));
    EXPECT_EQ(LinesWith(bench, "\"Z \" - aborting everything"), 2) << bench.logText();
}

TEST(WholeOperationTest, ShortRepliesOnASixSixHundred) {
    struct Case {
        int systemType;
        bool shortDataMode;
        const char* command;
        bool shortReplies;
    };
    for (const Case c : {Case{4, true, "T23 1 U819 2 0 ", true}, Case{4, false, "U819 2 0 ", false},
                         Case{2, true, "U819 2 0 ", false}}) {
        SCOPED_TRACE(c.command);
        SimOptions options;
        options.systemType = c.systemType;
        EngineHarness bench(options);
        bench.console.profile.Profile.ShortDataMode = c.shortDataMode;
        ASSERT_TRUE(bench.open());
        const TDataType osl = Osl(3, 30);
        SendTimeBase(bench, osl);
        ASSERT_TRUE(bench.runToEnd(osl)) << bench.logText();
        EXPECT_THAT(bench.commandsSent(), Contains(c.command));
        EXPECT_EQ(bench.console.linkState.ShortReplies, c.shortReplies);
        EXPECT_EQ(bench.sim().shortReplies(), c.shortReplies);
        EXPECT_EQ(ValidPoints(bench.recordPoints, 30), 30);
    }
}

TEST(WholeOperationTest, SecondThreadIsRefused) {
    EngineHarness bench(SimOptions{});
    ASSERT_TRUE(bench.open());
    ASSERT_TRUE(bench.start(Tl(9)));
    EXPECT_FALSE(bench.engine.startDataTake());
    EXPECT_TRUE(bench.logged("T: Data take thread can not be initialized."));
    ASSERT_EQ(bench.prompter.shown.size(), 1u);
    EXPECT_EQ(bench.prompter.shown[0].caption, "Error");
    EXPECT_EQ(bench.prompter.shown[0].text, "Data take thread can not be initialized");
    EXPECT_EQ(bench.prompter.messageIcons[0], MessageKind::Warning);
    ASSERT_TRUE(RunUntil([&] { return bench.finished; }));
}

TEST(WholeOperationTest, WithoutALampSwitchTheLampIsOff) {
    EngineHarness bench(SimOptions{});
    bench.lamp.present = false;
    bench.console.profile.Profile.HalogenSwitch = true;
    bench.console.profile.Profile.LampOnTime = 5;
    ASSERT_TRUE(bench.open());
    const TDataType osl = Osl(5, 10);
    SendTimeBase(bench, osl);
    ASSERT_TRUE(bench.runToEnd(osl));
    ASSERT_TRUE(bench.runToEnd(osl));
    const std::string log = bench.logText();
    const std::string note = ": no halogen lamp switch available - the lamp is taken as off";
    EXPECT_EQ(log.find(note), log.rfind(note)) << "logged once";
    EXPECT_NE(log.find(note), std::string::npos);
    EXPECT_FALSE(bench.logged("stabilizing for"));
    EXPECT_THAT(bench.lamp.actions, ::testing::IsEmpty());
}

} // namespace
} // namespace gw::testing
