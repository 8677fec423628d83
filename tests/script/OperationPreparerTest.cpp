#include "PrepareHelper.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>

namespace gw {
namespace {

using test::CompileAndPlace;
using test::OneDisk;

// A 6600 with an external gamma source of 0.1 Gy/s that does not decay.
SystemProfile GammaProfile() {
    SystemProfile p = DefaultProfile(4);
    p.GammaCalibDate = PackedDate::Pack(2025, 6, 1);
    p.GammaDoseRate = 0.1;
    p.GammaHalfLife = 0;
    return p;
}

// What every prepared step of the first disk of an unplaced-label script carries.
TDataType Base() {
    TDataType r;
    r.Disk = 0;
    r.Hole = -1;
    r.Complete = 1;
    return r;
}

TDataType Tl(int rate, int phTemp, int phTime, int temp, int hold, int cool, int timeoutS) {
    TDataType r = Base();
    r.Kind = OperationKind::TL;
    r.Increment = 5;
    r.RampRate = rate;
    r.PreheatType = 'S';
    r.PreheatTemp = phTemp;
    r.PreheatTime = phTime;
    r.Temperature = temp;
    r.HoldTime = hold;
    r.CoolTemp = cool;
    r.Points = temp / 5;
    r.TimeoutMs = timeoutS * 1000;
    return r;
}

TDataType Osl(OperationKind kind, int device, double power, int temp, std::array<int, 4> x,
              std::array<int, 4> y, std::array<int, 4> n, int timeoutS) {
    TDataType r = Base();
    r.Kind = kind;
    r.Device = device;
    r.Power = power;
    r.Temperature = temp;
    r.X = x;
    r.Y = y;
    r.N = n;
    r.Points = n[0] + n[1] + n[2] + n[3];
    r.TimeoutMs = timeoutS * 1000;
    return r;
}

struct StepCase {
    const char* command;
    std::function<TDataType()> expected;
};

TEST(PrepareNextOperation, EveryCommandFillsItsFields) {
    const StepCase cases[] = {
        {"TL(5, 160, 10, 500, 0, 50)", [] { return Tl(5, 160, 10, 500, 0, 50, 165); }},
        {"TLBGD(2, 450, 60)",
         [] {
             TDataType r = Tl(2, 0, 0, 450, 0, 60, 292); // 1.1 x 265 = 291.5, halves to even
             r.Purpose = TDataType::PurposeBackground;
             return r;
         }},
        {"PREHEAT(5, 160, 10, 20)",
         [] {
             TDataType r = Tl(5, 0, 0, 160, 10, 20, 90);
             r.Treatment = 1;
             r.PreheatType = 'W';
             return r;
         }},
        {"OSL(0, 150, 500, 10, 0, 10)",
         [] {
             return Osl(OperationKind::OSL, 20, 100, 400, {1, 1, 4, 40}, {10, 100, 250, 250},
                        {0, 200, 0, 0}, 66);
         }},
        {"OSL(8, -5, -10, 0, 10, 0)",
         [] {
             TDataType r = Osl(OperationKind::OSL, 28, 0, 0, {1, 1, 4, 40}, {10, 100, 250, 250},
                               {20, 98, 0, 0}, 55);
             r.Treatment = 1; // a bleach: neither luminescence nor background
             return r;
         }},
        {"DOSL(0, 50, 125, 0.1, 100, 0.5, 50, 1, 0, 1, 0)",
         [] {
             return Osl(OperationKind::OSL, 20, 50, 125, {1, 2, 4, 4}, {100, 250, 250, 250},
                        {100, 50, 0, 0}, 82); // 35 s
         }},
        {"DMOSL(0, 100, 50, 0.01, 250, 0.02, 250, 0.05, 250, 0.1, 250)",
         [] {
             TDataType r = Osl(OperationKind::VMOSL, 40, 4 * 1000 * 100.0 / 4095, 50, {1, 1, 1, 1},
                               {10, 20, 50, 100}, {250, 250, 250, 250}, 94); // 45 s
             r.PowerIncrement = 4;
             return r;
         }},
        {"MOSL(0, 100, 125, 100)",
         [] {
             TDataType r = Osl(OperationKind::LMOSL, 40, 100, 125, {1, 1, 1, 1}, {99, 99, 99, 99},
                               {255, 255, 255, 247}, 154);
             r.PowerIncrement = 4;
             r.XFactor = 1;
             r.YFactor = 99;
             return r;
         }},
        {"BLEACH(0, 80, 30, 120)",
         [] {
             TDataType r = Base();
             r.Kind = OperationKind::OSL;
             r.Treatment = 1;
             r.Device = 10;
             r.Power = 80;
             r.Temperature = 30;
             r.BleachTime = 120;
             r.TimeoutMs = 176000;
             return r;
         }},
        {"IRRAD(2, 0, 20, 10)",
         [] {
             TDataType r = Base();
             r.Kind = OperationKind::Irradiation;
             r.Treatment = 1;
             r.Device = 102;
             r.Source = 'G';
             r.Temperature = 20;
             r.IrradTime = 100;
             r.Dose = 10;
             r.PositionOffset = -1;
             r.TimeoutMs = 143000;
             return r;
         }},
        {"NORM BGD",
         [] {
             TDataType r = Base();
             r.Purpose = 3;
             return r;
         }},
    };
    for (const StepCase& c : cases) {
        SCOPED_TRACE(c.command);
        auto prepared = CompileAndPlace(OneDisk({c.command}), GammaProfile());
        ASSERT_FALSE(prepared->script->error) << prepared->script->errorMessage;
        TDataType record;
        record.DataFile = "C:\\GWDATA\\run.txt";
        const PreparationResult result = prepared->Next(prepared->Disk(0), record);
        ASSERT_TRUE(result.ok) << result.message;
        TDataType expected = c.expected();
        expected.DataFile = "C:\\GWDATA\\run.txt";
        EXPECT_EQ(record, expected);
        EXPECT_TRUE(prepared->prompter.shown.empty());
        EXPECT_EQ(prepared->Disk(0).runCursor, prepared->Disk(0).commands.End());
    }
}

TEST(PrepareNextOperation, ExplicitTimeBasesSetTheCommandFlag) {
    auto prepared = CompileAndPlace(
        OneDisk({"TL(5, 0, 0, 450, 0, 50)", "DOSL(0, 50, 125, 0.1, 100, 0.5, 50, 1, 0, 1, 0)"}),
        GammaProfile());
    TDataType record;
    ASSERT_TRUE(prepared->Next(prepared->Disk(0), record).ok);
    EXPECT_EQ(prepared->script->commandFlags, 0);
    ASSERT_TRUE(prepared->Next(prepared->Disk(0), record).ok);
    EXPECT_EQ(prepared->script->commandFlags, CommandFlagExplicitTimeBase);
}

TEST(PrepareNextOperation, WithoutNextCommandNothingChanges) {
    auto prepared = CompileAndPlace(OneDisk({"TL(5, 0, 0, 450, 0, 50)"}), GammaProfile());
    TDataType record;
    ASSERT_TRUE(prepared->Next(prepared->Disk(0), record).ok);
    const TDataType after = record;
    EXPECT_TRUE(prepared->Next(prepared->Disk(0), record).ok);
    EXPECT_EQ(record, after);
}

// Steps that cannot be prepared leave the record and the run cursor alone and say why.
TEST(PrepareNextOperation, StepsThatCannotBePlannedFailWithAMessage) {
    const struct {
        const char* command;
        const char* reason;
    } cases[] = {
        {"DMOSL(0, 100, 50, 0.01, 0, 0.02, 0, 0.05, 0, 0.1, 0)", "all four channel counts are 0"},
        {"MOSL(0, 100, 125, 0)", "cannot be planned"},
        {"MOSL(0, 0, 125, 100)", "no ramp of equal power steps"},
        {"OSL(0, 90, 125, 5000, 0, 0)", "cannot be planned"},
        {"OSL(0, 90, 125, 0.05, 0, 0)", "cannot be planned"},
        {"TL(0, 0, 0, 450, 0, 50)", "rate must be above 0"},
        {"PREHEAT(5, -20, 10, 50)", "must be 0 to 5100"},
        {"TLBGD(5, 5200, 50)", "must be 0 to 5100"},
        {"TL(5, 100, -10, 450, 0, 50)", "times must be 0 s or more"},
        {"BLEACH(0, 80, 30, -100)", "time must be 0 s or more"},
        {"IRRAD(2, 0, 20, -5)", "cannot be given"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        auto prepared = CompileAndPlace(OneDisk({c.command}), GammaProfile());
        ASSERT_FALSE(prepared->script->error) << prepared->script->errorMessage;
        TDataType record;
        record.Remark = "untouched";
        const PreparationResult result = prepared->Next(prepared->Disk(0), record);
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.message.find(c.reason), std::string::npos) << result.message;
        EXPECT_EQ(record.Remark, "untouched");
        EXPECT_EQ(prepared->Disk(0).runCursor, prepared->Disk(0).commands.begin());
        ASSERT_EQ(prepared->prompter.shown.size(), 1u);
        EXPECT_EQ(prepared->prompter.shown[0].kind, "message");
        EXPECT_EQ(prepared->prompter.shown[0].text, result.message);
        EXPECT_EQ(prepared->script->commandFlags, 0);
    }
}

struct WarningCase {
    const char* name;
    std::vector<std::string> commands;
    std::function<void(SystemProfile&)> profile;
    std::vector<WarningResult> answers;
    std::vector<std::string> warnings; // in the order shown
    bool ok;
};

TEST(PrepareNextOperation, ProfileChecksWarnAndFollowTheAnswer) {
    const auto betaLowHigh = [](SystemProfile& p) {
        p.WhatBIrrad = 2;
        p.BetaDoseRateLow = 0.05;
        p.BetaDoseRateHigh = 0.2;
    };
    const auto noWheel = [](SystemProfile& p) { p.Devices.FilterWheel471 = false; };
    const WarningCase cases[] = {
        {"missing top position, then missing irradiator",
         {"IRRAD(3, 0, 20, 5)"},
         betaLowHigh,
         {WarningResult::Ignore},
         {"Irradiator position 0 not in current profile!",
          "Irradiator\r\nInternal beta topis not defined in the profile"},
         false},
        {"missing irradiator is shown even when all are ignored",
         {"IRRAD(6, 0, 20, 5)"},
         [](SystemProfile&) {},
         {WarningResult::IgnoreAll},
         {"Irradiator 6 not in current profile!",
          "Irradiator\r\nInternal alpha topis not defined in the profile"},
         false},
        {"low position of a two-position beta source",
         {"IRRAD(3, 1, 20, 5)"},
         betaLowHigh,
         {},
         {},
         true},
        {"external source has no low position",
         {"IRRAD(2, 1, 20, 5)"},
         [](SystemProfile&) {},
         {WarningResult::Abort},
         {"Irradiator position 1 not in current profile!"},
         false},
        {"filter wheel position without a wheel, aborted",
         {"OSL(3, 90, 125, 40, 0, 0)"},
         noWheel,
         {WarningResult::Abort},
         {"OSL/IRSL device 3 not in current profile!"},
         false},
        {"no infrared LEDs, ignored",
         {"OSL(8, 90, 125, 40, 0, 0)"},
         [](SystemProfile& p) { p.Devices.IRLEDs471 = false; },
         {WarningResult::Ignore},
         {"OSL/IRSL device 8 not in current profile!"},
         true},
        {"ramp on a missing device warns twice after Ignore",
         {"MOSL(3, 100, 125, 100)"},
         noWheel,
         {WarningResult::Ignore, WarningResult::Abort},
         {"OSL/IRSL device 3 not in current profile!", "OSL/IRSL device 3 not capable of MOSL!"},
         false},
        {"ramp on a missing device warns once after Ignore all",
         {"DMOSL(3, 100, 50, 0.01, 250, 0.02, 250, 0.05, 250, 0.1, 250)",
          "OSL(3, 90, 125, 40, 0, 0)"},
         noWheel,
         {WarningResult::IgnoreAll},
         {"OSL/IRSL device 3 not in current profile!"},
         true},
        {"second bleach device",
         {"BLEACH(1, 80, 30, 120)"},
         [](SystemProfile&) {},
         {WarningResult::Abort},
         {"Bleach device 1 not in current profile!"},
         false},
    };
    for (const WarningCase& c : cases) {
        SCOPED_TRACE(c.name);
        SystemProfile profile = DefaultProfile(4);
        c.profile(profile);
        auto prepared = CompileAndPlace(OneDisk(c.commands), profile);
        ASSERT_FALSE(prepared->script->error) << prepared->script->errorMessage;
        prepared->prompter.warnings.assign(c.answers.begin(), c.answers.end());
        TDataType record;
        bool ok = true;
        for (std::size_t i = 0; i < c.commands.size() && ok; ++i) {
            ok = prepared->Next(prepared->Disk(0), record).ok;
        }
        EXPECT_EQ(ok, c.ok);
        std::vector<std::string> shown;
        for (const auto& prompt : prepared->prompter.shown) {
            EXPECT_EQ(prompt.kind, "warning");
            shown.push_back(prompt.text);
        }
        EXPECT_EQ(shown, c.warnings);
    }
}

TEST(PrepareNextOperation, IgnoreAllSilencesTheRestOfTheRun) {
    SystemProfile profile = DefaultProfile(4);
    profile.Devices.FilterWheel471 = false;
    auto prepared = CompileAndPlace(
        test::Lines({"METHOD \"x\"", "METHOD", "LOOP DISKS #2", "OSL(2, 90, 125, 40, 0, 0)",
                     "BLEACH(3, 80, 30, 120)", "END LOOP", "END METHOD"}),
        profile);
    ASSERT_FALSE(prepared->script->error) << prepared->script->errorMessage;
    prepared->prompter.warnings = {WarningResult::IgnoreAll};
    TDataType record;
    for (int disk = 0; disk < 2; ++disk) {
        for (int step = 0; step < 2; ++step) {
            ASSERT_TRUE(prepared->Next(prepared->Disk(disk), record).ok);
        }
    }
    EXPECT_TRUE(prepared->ignoreAll);
    EXPECT_EQ(prepared->prompter.shown.size(), 1u);
    EXPECT_EQ(record.Device, 13) << "the ignored bleach device still counts";
}

TEST(PrepareNextOperation, AbortLeavesRecordAndCursorForTheNextAttempt) {
    SystemProfile profile = DefaultProfile(4);
    profile.Devices.FilterWheel471 = false;
    auto prepared = CompileAndPlace(OneDisk({"OSL(4, 90, 125, 40, 0, 0)"}), profile);
    prepared->prompter.warnings = {WarningResult::Abort, WarningResult::Ignore};
    TDataType record;
    record.Remark = "before";
    const PreparationResult aborted = prepared->Next(prepared->Disk(0), record);
    EXPECT_FALSE(aborted.ok);
    EXPECT_TRUE(aborted.message.empty());
    EXPECT_EQ(record.Remark, "before");
    ASSERT_TRUE(prepared->Next(prepared->Disk(0), record).ok) << "prepared again on resume";
    EXPECT_EQ(record.Device, 24);
    EXPECT_EQ(prepared->prompter.shown.size(), 2u);
}

TEST(PrepareNextOperation, SourceDecaysWithItsHalfLife) {
    const struct {
        CivilDate calibrated, today;
        int irradTime;
    } cases[] = {
        {{2026, 1, 1}, {2026, 1, 1}, 100},  // 10 Gy at 0.1 Gy/s
        {{2026, 1, 1}, {2026, 1, 2}, 200},  // one half-life later
        {{2024, 2, 28}, {2024, 3, 1}, 400}, // across a leap day: two half-lives
        {{2026, 1, 3}, {2026, 1, 1}, 25},   // calibrated after today: warns, then stronger
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.today.day);
        SystemProfile profile = DefaultProfile(4);
        profile.BetaCalibDate = PackedDate::Pack(c.calibrated);
        profile.BetaHalfLife = 1 / 365.242199; // one day
        auto prepared = CompileAndPlace(OneDisk({"IRRAD(3, 0, 20, 10)"}), profile);
        prepared->today = c.today;
        prepared->prompter.warnings = {WarningResult::Ignore};
        TDataType record;
        ASSERT_TRUE(prepared->Next(prepared->Disk(0), record).ok);
        const bool future = c.calibrated.day > c.today.day && c.calibrated.month == c.today.month;
        EXPECT_EQ(prepared->prompter.warnings.empty(), future)
            << "a warning only for a future date";
        EXPECT_EQ(record.IrradTime, c.irradTime);
        EXPECT_NEAR(record.Dose, 10.0, 1e-9);
        EXPECT_EQ(record.Source, 'X');
        EXPECT_EQ(record.Device, 103);
        EXPECT_EQ(record.PositionOffset, 15);
    }
}

TEST(PrepareNextOperation, ACalibrationDateAfterTodayWarnsAndAbortStops) {
    SystemProfile profile = DefaultProfile(4);
    profile.BetaCalibDate = PackedDate::Pack(2027, 3, 1);
    auto prepared = CompileAndPlace(OneDisk({"IRRAD(3, 0, 20, 10)"}), profile);
    prepared->today = {2026, 12, 9};
    TDataType record;
    const PreparationResult result = prepared->Next(prepared->Disk(0), record);
    EXPECT_FALSE(result.ok) << "Abort, the prompter's cautious answer, stops the preparation";
    ASSERT_EQ(prepared->prompter.shown.size(), 1u);
    EXPECT_EQ(prepared->prompter.shown[0].text,
              "The calibration date of the internal beta top irradiator, 2027-03-01, lies after "
              "today: check the date in the system profile.");
}

TEST(PrepareNextOperation, ArmOffsetComesFromTheConsolesProfile) {
    auto prepared = CompileAndPlace(OneDisk({"IRRAD(3, 0, 20, 1)"}), DefaultProfile(4));
    prepared->consoleProfile.WhatBIrrad = 4;
    TDataType record;
    ASSERT_TRUE(prepared->Next(prepared->Disk(0), record).ok);
    EXPECT_EQ(record.ArmOffset, 4);
}

TEST(PrepareNextOperation, DiskBookkeeping) {
    const struct {
        std::vector<std::string> commands;
        bool irradiated, exposed, heated, hot;
        double exposure;
    } cases[] = {
        {{"IRRAD(3, 0, 20, 5)"}, true, false, false, false, 0},
        {{"NORM IRRAD(3, 0, 150, 5)"}, false, false, true, false, 0},
        {{"TLBGD(5, 450, 50)"}, false, false, false, true, 0},
        {{"PREHEAT(5, 260, 10, 50)"}, false, false, true, false, 0},
        {{"TL(5, 0, 0, 500, 0, 50)"}, false, false, true, true, 0},
        {{"OSL(0, 90, 125, 40, 0, 0)"}, false, false, false, false, 0},
        {{"OSL(0, 90, 125, 40, 50, 0)"}, false, true, false, false, 2}, // 90 s
        {{"NORM OSL(0, 90, 125, 40, 50, 0)"}, false, false, false, false, 0},
        {{"NORM BLEACH(0, 80, 30, 120)"}, false, true, false, false, 2},
        {{"BLEACH(0, 80, 30, Endless)"}, false, true, false, true, 0},
        {{"MOSL(0, 100, 125, 90)"}, false, true, false, false, 1.5},
        {{"BLEACH(0, 80, 30, 60)", "DOSL(0, 50, 125, 1, 150, 1, 0, 1, 0, 1, 0)"},
         false,
         true,
         false,
         false,
         2}, // exposed before: 150 s
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.commands.back());
        // A product only reaches a step through a variable's value.
        auto prepared =
            CompileAndPlace(OneDisk(c.commands, {"Endless = 1E200*1E200"}), DefaultProfile(4));
        ASSERT_FALSE(prepared->script->error) << prepared->script->errorMessage;
        TDataType record;
        for (std::size_t i = 0; i < c.commands.size(); ++i) {
            ASSERT_TRUE(prepared->Next(prepared->Disk(0), record).ok);
        }
        const sc_Item& disk = prepared->Disk(0);
        EXPECT_EQ(disk.irradiated, c.irradiated);
        EXPECT_EQ(disk.exposed, c.exposed);
        EXPECT_EQ(disk.heated, c.heated);
        EXPECT_EQ(disk.hot, c.hot);
        EXPECT_DOUBLE_EQ(disk.exposure, c.exposure);
    }
}

TEST(PrepareNextOperation, EndlessBleachWaitsOnlyBriefly) {
    auto prepared = CompileAndPlace(
        OneDisk({"BLEACH(0, 80, 30, Endless)"}, {"Endless = 1E200*1E200"}), DefaultProfile(4));
    TDataType record;
    ASSERT_TRUE(prepared->Next(prepared->Disk(0), record).ok);
    EXPECT_EQ(record.TimeoutMs, 100);
    EXPECT_TRUE(std::isinf(record.BleachTime));
}

TEST(PrepareNextOperation, DiskPlaceLabelScannerAndLateVariables) {
    SystemProfile profile = DefaultProfile(2);
    auto prepared = CompileAndPlace(
        test::Lines({"METHOD \"x\"", "GLOBAL", "Dose = ?", "LIST POSITIONS = 7\"quartz A\"",
                     "END GLOBAL", "METHOD USE_SCANNER", "LOOP DISKS #1", "IRRAD(3, 0, 20, Dose)",
                     "END LOOP", "END METHOD"}),
        profile);
    ASSERT_FALSE(prepared->script->error) << prepared->script->errorMessage;
    // Not answered while compiling, so asked for again when the step is prepared.
    ASSERT_EQ(prepared->Disk(0).commands.First()->arguments, "(3, 0, 20, Dose)");
    prepared->prompter.numbers = {5.0};
    prepared->prompter.shown.clear();
    TDataType record;
    ASSERT_TRUE(prepared->Next(prepared->Disk(0), record).ok);
    EXPECT_EQ(record.Disk, 7);
    EXPECT_EQ(record.Remark, "quartz A");
    EXPECT_EQ(record.UseHoles, 1);
    EXPECT_EQ(record.Hole, 0);
    EXPECT_EQ(record.IrradTime, 50);
    ASSERT_EQ(prepared->prompter.shown.size(), 1u);
    EXPECT_EQ(prepared->prompter.shown[0].caption, "'Dose' has no valid value");
}

} // namespace
} // namespace gw
