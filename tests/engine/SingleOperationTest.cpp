#include "SequencerHarness.h"
#include "engine/MoslSearch.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace gw::testing {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsSupersetOf;

// A short TL: 100 °C at 25 °C/s in 2 °C steps, no preheat.
void QuickTl(TakeDataValues& values, int disk) {
    values.Sheet = TakeDataSheet::TL;
    values.Disk = disk;
    values.Tl.EndTemp = 100;
    values.Tl.DataSpace = 2;
    values.Tl.RampRate = 25;
    values.Tl.DoPreheat = false;
}

std::vector<std::string> TimeLines() {
    return {std::string("Started=") + SequencerHarness::When,
            std::string("Stopped=") + SequencerHarness::When};
}

std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(SingleOperationTest, TlWithHoldPreheatAndAfterglowColumn) {
    SequencerHarness h;
    ASSERT_TRUE(h.bench.open());
    TakeDataValues& v = h.sequencer.values;
    QuickTl(v, 1);
    v.InfoText = "Quartz 7\r\nsecond aliquot";
    v.Tl.EndTemp = 150;
    v.Tl.HoldTime = 2;
    v.Tl.DoPreheat = true;
    v.Tl.PreheatTemp = 60;
    v.Tl.PreheatTime = 1;
    v.Tl.Afterglow = {true, 100, 120};
    ASSERT_TRUE(h.run()) << h.bench.logText();
    EXPECT_EQ(h.ended, OperationSequencer::End::Finished);
    const auto records = h.records();
    ASSERT_EQ(records.size(), 1u);
    const auto& r = records[0];
    const std::vector<std::string> head =
        Join({"[NewRecord]", "Title=Quartz 7", "Info=second aliquot", "Disk=1", "DataType=TL",
              "MaxTemp=150", "HoldTime=2", "RampRate=25", "PreheatType=Wash preheat",
              "PreheatTemp=60", "PreheatTime=1"},
             TimeLines());
    const int afterglow = h.bench.engine.state().AfterglowCount;
    ASSERT_GT(afterglow, 0) << h.bench.logText();
    ASSERT_EQ(r.size(), head.size() + 1 + 75 + std::size_t(afterglow));
    EXPECT_EQ(std::vector<std::string>(r.begin(), r.begin() + long(head.size())), head);
    EXPECT_EQ(r[head.size()], "Points=" + std::to_string(75 + afterglow));
    for (std::size_t i = head.size() + 1; i < r.size(); ++i) {
        const bool afterglowPoint = i >= r.size() - std::size_t(afterglow);
        const std::regex pattern(afterglowPoint ? R"( *\d+; +\d+\.\d{3}; +\d+\.\d{3}; +\d+;  valid)"
                                                : OneChannelPoint);
        EXPECT_TRUE(std::regex_match(r[i], pattern)) << r[i];
    }
    EXPECT_EQ(r[head.size() + 1].substr(0, 15), "  0;    2.000; ");
    EXPECT_FALSE(h.bench.engine.afterglow().RecordAfterglow) << "decided for this TL only";
}

TEST(SingleOperationTest, OslWithARampedDeviceWritesTheOslRecord) {
    SequencerHarness h;
    ASSERT_TRUE(h.bench.open());
    TakeDataValues& v = h.sequencer.values;
    v.Sheet = TakeDataSheet::OSL;
    v.Disk = 2;
    v.Osl.DeviceItem = 2; // 40 - green/blue MOSL
    v.Osl.Power = 50;
    v.Osl.Segments[0].points = 10; // 10 ms points
    v.Osl.Segments[2].points = 10; // 1 s points
    ASSERT_TRUE(h.run()) << h.bench.logText();
    const auto records = h.records();
    ASSERT_EQ(records.size(), 1u);
    ExpectRecord(records[0],
                 Join({"[NewRecord]", "Title=", "SampleType=Disk", "Disk=2", "DataType=MOSL",
                       "SampleTemp=125", "MaxPower=49.82", "Increment=102", "TimeOfPoint=variable"},
                      TimeLines()),
                 OneChannelPoint);
    EXPECT_THAT(h.bench.commandsSent(), IsSupersetOf({"B1 10 1 100 4 250 40 250 ", "X10 0 10 0 "}));
}

TEST(SingleOperationTest, MoslEndsShortRepliesBeforeTheRecord) {
    SequencerHarness h;
    h.bench.console.profile.Profile.ShortDataMode = true;
    ASSERT_TRUE(h.bench.open());
    TakeDataValues& v = h.sequencer.values;
    v.Sheet = TakeDataSheet::MOSL;
    v.Disk = 5;
    v.Mosl.RampTime = 10;
    v.Mosl.MaxPoints = 200;
    const MoslRamp ramp = MoslSearch(100, 10, 200);
    ASSERT_TRUE(h.run()) << h.bench.logText();
    const auto records = h.records();
    ASSERT_EQ(records.size(), 1u);
    char power[32];
    std::snprintf(power, sizeof power, "MaxPower=%0.2f", ramp.actualPower);
    char time[32];
    std::snprintf(time, sizeof time, "TimeOfPoint=%8.3f", ramp.msPerPoint * 0.001);
    ExpectRecord(
        records[0],
        Join({"[NewRecord]", "Title=", "SampleType=Disk", "Disk=5", "DataType=MOSL",
              "SampleTemp=125", power, "Increment=" + std::to_string(ramp.increment), time},
             TimeLines()),
        OneChannelPoint);
    const auto sent = h.bench.commandsSent();
    const auto shortOff = std::find(sent.begin(), sent.end(), "T23 0 ");
    ASSERT_NE(shortOff, sent.end()) << h.bench.logText();
    EXPECT_EQ(*(shortOff + 1), "M O0 P0 ");
    // The link takes long replies again with the reader's next reply, which may come later.
    EXPECT_TRUE(RunUntil([&] { return !h.bench.console.linkState.ShortReplies; }));
}

TEST(SingleOperationTest, IrradiationWithoutInfoTextAtTheBetaPort) {
    SequencerHarness h;
    h.bench.console.profile.Profile.HasFivePages = true;
    h.bench.console.profile.Profile.BetaPort = 7;
    ASSERT_TRUE(h.bench.open());
    TakeDataValues& v = h.sequencer.values;
    v.Sheet = TakeDataSheet::Irradiate;
    v.Disk = 2;
    v.Irradiation.IrradTime = 2;
    ASSERT_TRUE(h.run()) << h.bench.logText();
    const auto records = h.records();
    ASSERT_EQ(records.size(), 1u);
    ExpectRecord(records[0],
                 Join({"[NewRecord]", "Title=", "Disk=2", "DataType=Irrad", "SampleTemp=0",
                       "IrradTime=2", "IrradDose=0.00"},
                      TimeLines()),
                 "");
    EXPECT_THAT(h.bench.commandsSent(), Contains("J9 "));
    EXPECT_THAT(h.bench.commandsSent(), Contains("@0 O0 V0 "));
}

TEST(SingleOperationTest, AnExistingFileWithoutFinalLineBreakKeepsItsLine) {
    SequencerHarness h;
    ASSERT_TRUE(h.bench.open());
    std::ofstream(h.dataFile(), std::ios::binary) << "[NewRecord]\r\nTitle=older";
    QuickTl(h.sequencer.values, 0);
    ASSERT_TRUE(h.run()) << h.bench.logText();
    const auto lines = h.fileLines();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_THAT(std::vector<std::string>(lines.begin(), lines.begin() + 4),
                ElementsAre("[NewRecord]", "Title=older", "[NewRecord]", "Title="));
}

TEST(SingleOperationTest, ADiskRangeGoesOnByItself) {
    SequencerHarness h;
    ASSERT_TRUE(h.bench.open());
    TakeDataValues& v = h.sequencer.values;
    QuickTl(v, 1);
    v.Range = true;
    v.ToDisk = 3;
    ASSERT_TRUE(h.run()) << h.bench.logText();
    EXPECT_EQ(h.ended, OperationSequencer::End::Finished);
    const auto records = h.records();
    ASSERT_EQ(records.size(), 3u);
    for (int disk = 1; disk <= 3; ++disk) {
        EXPECT_EQ(records[std::size_t(disk - 1)][2], "Disk=" + std::to_string(disk));
    }
    EXPECT_EQ(v.Disk, 3);
    EXPECT_TRUE(h.bench.logged(": new TL on disk 2"));
    EXPECT_TRUE(h.bench.logged(": new TL on disk 3"));
    EXPECT_EQ(h.bench.graph.statuses.back(), "finished");
}

TEST(SingleOperationTest, SelectedHolesOfARangeWithLostPoints) {
    SimOptions options;
    options.hasScanner = true;
    options.faults.lostPointShare = 0.15;
    options.seed = 11;
    SequencerHarness h(options);
    ASSERT_TRUE(h.bench.open());
    ASSERT_TRUE(h.bench.console.ports.scanner().open());
    TakeDataValues& v = h.sequencer.values;
    v.Sheet = TakeDataSheet::OSL;
    v.Osl.Segments[2].points = 10;
    v.UseScanner = true;
    v.AllHoles = true;
    v.Holes.setGridSize(3);
    for (int disk : {1, 2}) {
        for (int hole = 0; hole < 9; ++hole) {
            v.Holes.set(disk, hole, disk == 1 ? hole % 4 == 0 : hole == 5);
        }
    }
    v.Disk = 1;
    v.Range = true;
    v.ToDisk = 2;
    v.Hole = 8; // "all" starts at the disk's first selected hole
    ASSERT_TRUE(h.run(60000)) << h.bench.logText();
    EXPECT_EQ(h.ended, OperationSequencer::End::Finished);
    EXPECT_THAT(h.written,
                ElementsAre(std::pair{1, 0}, std::pair{1, 4}, std::pair{1, 8}, std::pair{2, 5}));
    EXPECT_GT(h.bench.sim().faultCounts().lostPoints, 0);
    EXPECT_TRUE(h.bench.logged(": new OSL on disk/hole 1/4"));
    EXPECT_TRUE(h.bench.logged(": new OSL on disk/hole 2/5"));
    const auto records = h.records();
    ASSERT_EQ(records.size(), 4u);
    EXPECT_THAT(records[3], IsSupersetOf({"SampleType=Grain", "Disk=2", "Hole=5"}));
    // No move back between the holes of a disk.
    const auto sent = h.bench.commandsSent();
    const auto lastHoleOfDisk1 = std::find(sent.begin(), sent.end(), "scanner ]5 8 ");
    ASSERT_NE(lastHoleOfDisk1, sent.end());
    EXPECT_EQ(std::count(sent.begin(), lastHoleOfDisk1, "M O0 P0 "), 0) << h.bench.logText();
    EXPECT_EQ(sent.back(), "M O0 P0 ");
}

TEST(SingleOperationTest, AbortInTheMiddleOfARangeKeepsTheFinishedRecords) {
    SequencerHarness h;
    ASSERT_TRUE(h.bench.open());
    TakeDataValues& v = h.sequencer.values;
    QuickTl(v, 1);
    v.Range = true;
    v.ToDisk = 3;
    ASSERT_TRUE(h.sequencer.confirm());
    EXPECT_TRUE(h.sequencer.inFlight());
    ASSERT_TRUE(RunUntil([&] { return h.written.size() == 1; }));
    // The next disk's TL is under way when the operator aborts.
    ASSERT_TRUE(RunUntil([&] { return h.bench.engine.state().TakingData; }));
    h.sequencer.abort();
    EXPECT_EQ(h.ended, OperationSequencer::End::Aborted);
    // In flight until the data-take thread has returned, which a slow machine shows.
    EXPECT_TRUE(RunUntil([&] { return !h.sequencer.inFlight(); }));
    RunUntil([] { return false; }, 300); // time for anything that would still follow
    EXPECT_EQ(h.written.size(), 1u);
    const auto records = h.records();
    ASSERT_EQ(records.size(), 1u);
    ExpectRecord(
        records[0],
        Join({"[NewRecord]", "Title=", "Disk=1", "DataType=TL", "MaxTemp=100", "RampRate=25"},
             TimeLines()),
        OneChannelPoint);
    EXPECT_TRUE(h.bench.logged("T: \"Z \" - aborting everything"));
}

TEST(SingleOperationTest, NoSecondOperationUnderARunningOne) {
    SequencerHarness h;
    ASSERT_TRUE(h.bench.open());
    QuickTl(h.sequencer.values, 1);
    ASSERT_TRUE(h.sequencer.confirm());
    const TDataType running = h.bench.console.CurrentOperation;
    h.sequencer.values.Disk = 4;
    EXPECT_FALSE(h.sequencer.confirm());
    EXPECT_FALSE(h.sequencer.takeData(TakeDataSheet::Irradiate));
    EXPECT_EQ(h.bench.console.CurrentOperation, running);
    EXPECT_EQ(h.bench.prompter.shown.back().text,
              "An operation is running.\rWait for its end or abort it.");
    ASSERT_TRUE(RunUntil([&] { return h.ended.has_value(); }));
    EXPECT_EQ(h.records().size(), 1u);
}

TEST(SingleOperationTest, HighVoltageQuestion) {
    struct Case {
        Answer answer;
        bool starts;
        bool sendsH1;
    };
    for (const Case c : {Case{Answer::Cancel, false, false}, Case{Answer::No, true, false},
                         Case{Answer::Yes, true, true}}) {
        SequencerHarness h;
        ASSERT_TRUE(h.bench.console.ports.reader().open()); // the high voltage stays off
        ASSERT_TRUE(RunUntil([&] {
            return h.bench.console.readerState.Position != 0 ||
                   h.bench.console.log().dump().lineCount() > 2;
        }));
        QuickTl(h.sequencer.values, 1);
        h.bench.prompter.answers = {c.answer};
        EXPECT_EQ(h.run(), c.starts);
        EXPECT_EQ(h.bench.prompter.shown.at(0).caption, "HV off warning");
        EXPECT_EQ(h.bench.logged("\"H1 \""), c.sendsH1);
    }
}

TEST(SingleOperationTest, ARefusedValueNamesTheFieldAndStartsNothing) {
    SequencerHarness h;
    ASSERT_TRUE(h.bench.open());
    QuickTl(h.sequencer.values, 1);
    h.sequencer.values.Tl.DataSpace = 0;
    EXPECT_FALSE(h.sequencer.confirm());
    ASSERT_FALSE(h.bench.prompter.shown.empty());
    EXPECT_NE(h.bench.prompter.shown.back().text.find("\"Data space, \260C\""), std::string::npos);
    EXPECT_FALSE(h.sequencer.inFlight());
    EXPECT_EQ(h.bench.console.CurrentOperation.Kind, OperationKind::None);
}

TEST(SingleOperationTest, AnUnwritableFolderKeepsTheRecordUntilRetryWritesItOnce) {
    SequencerHarness h;
    ASSERT_TRUE(h.bench.open());
    const auto share = h.folder / "share"; // a network share that is not there yet
    QuickTl(h.sequencer.values, 1);
    h.sequencer.values.Range = true;
    h.sequencer.values.ToDisk = 2;
    h.sequencer.values.DataFileName = (share / "data.txt").string();
    // First Cancel: the record is kept and the range stops.
    ASSERT_TRUE(h.run()) << h.bench.logText();
    EXPECT_EQ(h.ended, OperationSequencer::End::Failed);
    ASSERT_EQ(h.sequencer.records().kept().size(), 1u);
    EXPECT_EQ(h.bench.prompter.shown.back().kind, "record");
    EXPECT_EQ(h.bench.prompter.shown.back().caption, (share / "data.txt").string());
    EXPECT_EQ(h.bench.prompter.shown.back().text, std::strerror(ENOENT));
    EXPECT_TRUE(h.written.empty());
    EXPECT_FALSE(h.sequencer.inFlight());
    EXPECT_TRUE(h.bench.logged(": sequence stopped - the record was not written"));
    // Closing asks again: cancelled once more, the console stays open.
    h.bench.prompter.answers = {Answer::No};
    EXPECT_FALSE(h.bench.console.confirmClose());
    EXPECT_TRUE(h.bench.logged(": closing refused: 1 record(s) not written"));
    // The share has come back and Retry writes the record once.
    h.bench.prompter.beforeRecordChoice = [&] { std::filesystem::create_directories(share); };
    h.bench.prompter.recordChoices = {UnwrittenRecordChoice::Retry};
    EXPECT_TRUE(h.bench.console.confirmClose());
    EXPECT_TRUE(h.sequencer.records().kept().empty());
    std::ifstream in(share / "data.txt", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    const std::string all = text.str();
    EXPECT_EQ(all.find("[NewRecord]"), 0u);
    EXPECT_EQ(all.find("[NewRecord]", 1), std::string::npos) << "written once";
    EXPECT_TRUE(
        h.bench.logged(": record written to " + (share / "data.txt").string() + " on retry"));
}

TEST(SingleOperationTest, SaveAsWritesTheRecordElsewhereAndTheRangeGoesOn) {
    SequencerHarness h;
    ASSERT_TRUE(h.bench.open());
    QuickTl(h.sequencer.values, 1);
    h.sequencer.values.DataFileName = (h.folder / "missing" / "data.txt").string();
    h.bench.prompter.recordChoices = {UnwrittenRecordChoice::SaveAs};
    h.bench.prompter.fileNames = {h.dataFile().string()};
    ASSERT_TRUE(h.run()) << h.bench.logText();
    EXPECT_EQ(h.ended, OperationSequencer::End::Finished);
    EXPECT_EQ(h.records().size(), 1u);
    EXPECT_TRUE(h.bench.logged(": record saved as " + h.dataFile().string()));
}

} // namespace
} // namespace gw::testing
