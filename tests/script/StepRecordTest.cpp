#include "PrepareHelper.h"
#include "script/ChannelLayout.h"
#include "script/StepRecordBuilder.h"

#include <gtest/gtest.h>
#include <iterator>

namespace gw {
namespace {

using test::CompileAndPlace;
using test::Lines;
using test::OneDisk;
using test::WorkedExampleLines;
using Layout = std::array<std::uint8_t, 4>;

// A compiled script whose step records are built as a run builds them: the run cursor stands
// after the measurement just finished.
struct Steps {
    std::unique_ptr<test::Prepared> prepared;
    bool ignoreAll = true;

    explicit Steps(const std::string& text) : prepared(CompileAndPlace(text, DefaultProfile(4))) {
        for (sc_Item& disk : prepared->script->Disks().disks) {
            RestartStepRecords(disk);
        }
    }

    sc_Item& Disk(int index) { return prepared->Disk(index); }

    // The record after the disk's command `commandsRun` (counted from 1) has run.
    bool BuildAfter(int diskIndex, int commandsRun, StepRecord& record) {
        sc_Item& disk = Disk(diskIndex);
        disk.runCursor = std::next(disk.commands.begin(), commandsRun);
        StepRecordContext context{prepared->prompter, prepared->today};
        return BuildStepRecord(*prepared->script, disk, record, ignoreAll, context);
    }

    StepRecord After(int diskIndex, int commandsRun) {
        StepRecord record;
        EXPECT_TRUE(BuildAfter(diskIndex, commandsRun, record));
        return record;
    }
};

// IRRAD(3, 0, 20, dose), PREHEAT(5, 160, 10, 20), OSL(0, 90, 125, 40, 0, 0) worked out by hand:
// the internal beta top source gives 0.1 Gy/s on the day of its calibration.
StepRecord IrradiatedOslByHand(int position, std::int16_t irradiationTime, bool singleAliquot,
                               const std::string& diskText) {
    StepRecord r;
    r.heatingRate = 5;
    r.preheatTime = 10;
    r.preheatTemperature = 160;
    r.irradiationTime = irradiationTime;
    r.position = std::int16_t(position);
    r.device = 20;
    r.notBackground = 1;
    r.singleAliquotClean = singleAliquot ? 1 : 0;
    r.natural = 1;
    r.irradiatorLetter = 'X';
    r.preheatType = 'W';
    r.irradiationDate = PackedDate::Pack(2026, 1, 1);
    r.doseRate = 0.1;
    r.rateUnit = "Gy/sec";
    r.diskText = diskText;
    r.channelLayout = {0, 60, 34, 0};
    r.sampleTemperature = 125;
    r.power = 230;
    return r;
}

TEST(StepRecordTest, IrradiationPreheatAndOslGiveOneRecord) {
    Steps steps(
        OneDisk({"IRRAD(3, 0, 20, 10)", "PREHEAT(5, 160, 10, 20)", "OSL(0, 90, 125, 40, 0, 0)"}));
    EXPECT_EQ(steps.After(0, 3), IrradiatedOslByHand(0, 100, false, "Disk#1"));
    EXPECT_EQ(steps.Disk(0).recordCursor, steps.Disk(0).commands.End());
}

TEST(StepRecordTest, WorkedExampleGivesOneRecordPerDose) {
    Steps steps(Lines(WorkedExampleLines));
    for (int disk = 0; disk < 2; ++disk) {
        for (int dose = 0; dose < 3; ++dose) {
            const std::string text = "Disk#" + std::to_string(disk + 1);
            EXPECT_EQ(steps.After(disk, 3 * (dose + 1)),
                      IrradiatedOslByHand(disk, std::int16_t(100 * dose), true, text))
                << "disk " << disk << " dose " << dose;
        }
    }
}

TEST(StepRecordTest, RecordsFollowTheTreatmentsSinceTheLastMeasurement) {
    Steps steps(OneDisk({"TL(5, 200, 10, 450, 0, 0)", "PREHEAT(2, 220, 30, 20)",
                         "TL(4, 160, 10, 400, 0, 0)", "IRRAD(3, 0, 20, 10)", "IRRAD(3, 0, 20, 5.5)",
                         "BGD TL(5, 0, 0, 500, 0, 0)", "IRRAD(3, 0, 20, 1)"}));
    const StepRecord natural = steps.After(0, 1);
    EXPECT_EQ(natural.preheatType, 'S');
    EXPECT_EQ(natural.preheatTemperature, 200);
    EXPECT_EQ(natural.endTemperature, 450);
    EXPECT_EQ(natural.natural, 1);
    EXPECT_EQ(natural.irradiatorLetter, ' ');

    // The TL after a PREHEAT keeps the preheat and skips its own.
    const StepRecord preheated = steps.After(0, 3);
    EXPECT_EQ(preheated.preheatType, 'W');
    EXPECT_EQ(preheated.preheatTemperature, 220);
    EXPECT_EQ(preheated.preheatTime, 30);
    EXPECT_EQ(preheated.heatingRate, 4);
    EXPECT_EQ(preheated.endTemperature, 400);
    EXPECT_EQ(preheated.natural, 0); // heated above 300 C before

    // Two irradiations add their times; a background TL is no measurement.
    const StepRecord background = steps.After(0, 6);
    EXPECT_EQ(background.irradiationTime, 100 + 55);
    EXPECT_EQ(background.notBackground, 0);
    EXPECT_EQ(background.device, 0);

    // What follows the last measurement is one record of its own, without a measurement.
    const StepRecord rest = steps.After(0, 7);
    EXPECT_EQ(rest.irradiationTime, 10);
    EXPECT_EQ(rest.device, 0);
    EXPECT_EQ(steps.Disk(0).recordCursor, steps.Disk(0).commands.End());
}

TEST(StepRecordTest, ExposureFollowsBleachesAndOslMeasurements) {
    Steps steps(OneDisk({"OSL(0, 90, 125, 40, 60, 20)", "NORM OSL(0, 90, 125, 30, 30, 0)",
                         "BLEACH(0, 0, 0, 120)", "IRRAD(3, 0, 20, 10)", "OSL(8, 50, 0, 10, 0, 0)",
                         "MOSL(0, 90, 125, 300)"}));
    const StepRecord first = steps.After(0, 1);
    EXPECT_EQ(first.channelLayout, (Layout{0, 20, 68, 5})); // 120 s
    EXPECT_DOUBLE_EQ(steps.Disk(0).recordExposure, 2.0);    // exposed by its own bleach period

    // A normalisation leaves the exposure alone.
    steps.After(0, 2);
    EXPECT_DOUBLE_EQ(steps.Disk(0).recordExposure, 2.0);

    // The bleach's 2 minutes stay with the irradiation after it, besides the disk's 2 minutes.
    const StepRecord irradiated = steps.After(0, 5);
    EXPECT_DOUBLE_EQ(irradiated.exposure, 2.0 + 2.0);
    EXPECT_EQ(irradiated.exposedBefore, 1);
    EXPECT_EQ(irradiated.device, 28);
    EXPECT_DOUBLE_EQ(steps.Disk(0).recordExposure, 10.0 / 60.0);

    // An LM-OSL replaces the exposure of an exposed disk.
    const StepRecord ramp = steps.After(0, 6);
    EXPECT_EQ(ramp.device, 40);
    EXPECT_DOUBLE_EQ(steps.Disk(0).recordExposure, 5.0);
}

TEST(StepRecordTest, ChannelLayoutCoversTheMeasurement) {
    struct Case {
        double luminescence, bleach, background;
        Layout layout;
    };
    const Case cases[] = {
        {100, 0, 0, {0, 20, 68, 3}}, {10, 0, 10, {0, 80, 12, 0}},    {0, 0, 0, {0, 1, 0, 0}},
        {40, 0, 0, {0, 60, 34, 0}},  {800, 0, 0, {0, 0, 0, 80}},     {900, 0, 0, {0, 0, 0, 91}},
        {1000, 0, 0, {0, 0, 0, 99}}, {500, 200, 100, {0, 0, 0, 80}},
    };
    for (const Case& c : cases) {
        const Layout layout = ChannelLayout(c.luminescence, c.bleach, c.background);
        EXPECT_EQ(layout, c.layout) << c.luminescence << " " << c.bleach << " " << c.background;
        EXPECT_LE(layout[0] + layout[1] + layout[2] + layout[3], 99);
    }
}

TEST(StepRecordTest, MissingIrradiatorFailsAndLeavesTheRecordAndCursor) {
    Steps steps(OneDisk({"IRRAD(0, 0, 20, 10)", "TL(5, 0, 0, 450, 0, 0)"}));
    StepRecord record;
    record.heatingRate = 7;
    EXPECT_FALSE(steps.BuildAfter(0, 2, record));
    EXPECT_EQ(record.heatingRate, 7);
    EXPECT_EQ(steps.Disk(0).recordCursor, steps.Disk(0).commands.begin());
    ASSERT_EQ(steps.prepared->prompter.shown.size(), 1u);
    EXPECT_EQ(steps.prepared->prompter.shown[0].text,
              "Irradiator\r\nExternal alphais not defined in the profile");
}

TEST(StepRecordTest, WarningsAskUnlessAllAreIgnored) {
    Steps steps(OneDisk({"OSL(5, 90, 125, 40, 0, 0)"}));
    steps.ignoreAll = false;
    steps.prepared->prompter.warnings = {WarningResult::Abort, WarningResult::IgnoreAll};
    StepRecord record;
    EXPECT_FALSE(steps.BuildAfter(0, 1, record));
    EXPECT_TRUE(steps.BuildAfter(0, 1, record));
    EXPECT_TRUE(steps.ignoreAll);
    EXPECT_EQ(record.device, 25);
    EXPECT_EQ(steps.prepared->prompter.shown[0].text, "OSL/IRSL device 5 not in current profile!");
}

TEST(StepRecordTest, WithoutRecordCursorNothingChanges) {
    Steps steps(OneDisk({"TL(5, 0, 0, 450, 0, 0)"}));
    steps.After(0, 1);
    StepRecord record;
    record.heatingRate = 7;
    EXPECT_TRUE(steps.BuildAfter(0, 1, record));
    EXPECT_EQ(record.heatingRate, 7);
}

} // namespace
} // namespace gw
