#include "link/CommandBuilder.h"
#include "windows/CurveCsv.h"
#include "windows/GraphReadouts.h"
#include "windows/GraphScale.h"
#include "windows/ReaderErrorReadout.h"
#include "windows/ReaderFunctions.h"
#include "windows/RunButtonRules.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

TEST(GraphScale, StepsThroughOneTwoFive) {
    struct Case {
        double limit, up, down;
    };
    const Case cases[] = {
        {1000, 2000, 500},   {50, 100, 50},       {1234, 2000, 1000}, {2000, 5000, 1000},
        {5000, 10000, 2000}, {7000, 10000, 5000}, {60, 100, 50},      {0, 1000, 1000},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(GraphScale::YUp(c.limit), c.up) << c.limit;
        EXPECT_DOUBLE_EQ(GraphScale::YDown(c.limit), c.down) << c.limit;
    }
}

TEST(GraphReadouts, ShowTheReaderValuesPerSystem) {
    ReaderState s;
    s.PointCounter = 17;
    s.Counts[0] = 4321;
    s.Data[1] = 100; // 400 degrees
    s.Data[2] = 64;  // -5.0
    s.Data[7] = 240; // -1500 V
    s.Data[3] = 141; // 31 umHg
    s.Data[4] = 255;
    s.Data[0] = 51;
    const GraphReadouts r3500 = GraphReadoutsFor(s, 2);
    EXPECT_EQ(r3500.point, "17");
    EXPECT_EQ(r3500.counts, "4321");
    EXPECT_EQ(r3500.temperature, "400\260C");
    EXPECT_EQ(r3500.temperatureError, "-5.0\260C");
    EXPECT_EQ(r3500.highVoltage, "-1500 V");
    EXPECT_TRUE(r3500.pressureShown);
    EXPECT_FALSE(r3500.oslShown);
    EXPECT_EQ(r3500.pressure, "31.0");
    EXPECT_EQ(r3500.pressureUnit, "umHg");

    s.Data[3] = 4; // above 1500 umHg
    EXPECT_EQ(GraphReadoutsFor(s, 2).pressure, "1.0");
    EXPECT_EQ(GraphReadoutsFor(s, 2).pressureUnit, "atm");

    const GraphReadouts r6600 = GraphReadoutsFor(s, 4);
    EXPECT_FALSE(r6600.pressureShown);
    EXPECT_TRUE(r6600.oslShown);
    EXPECT_EQ(r6600.osl1, "100.0");
    EXPECT_EQ(r6600.osl2, "20.0");
}

TEST(ReaderErrorReadout, AppendsALineOnlyWhenTheBitsChange) {
    ReaderErrorReadout readout;
    EXPECT_EQ(readout.update(0x001, 2), "Reader eror: T");
    EXPECT_TRUE(readout.errorShown());
    EXPECT_EQ(readout.update(0x003, 2), "Reader eror: T, HV");
    EXPECT_FALSE(readout.update(0x003, 2).has_value());
    EXPECT_FALSE(readout.update(0, 2).has_value());
    EXPECT_FALSE(readout.errorShown());
    // The ramp bit alone is no error on a 6600.
    EXPECT_FALSE(readout.update(0x004, 4).has_value());
    EXPECT_FALSE(readout.errorShown());
    EXPECT_EQ(readout.update(0x004, 2), "Reader eror: Ramp");
    EXPECT_EQ(readout.update(0x880, 4), "Reader eror: Position sync, Deck error");
}

TEST(ReaderFunctions, PressSwitchesTheOtherWayThanTheFlagsShow) {
    struct Case {
        ReaderFunction function;
        std::vector<int> onFlags;
        const char* whenOff;
        const char* whenOn;
    };
    const Case cases[] = {
        {ReaderFunction::Purge, {13}, "P1 ", "P0 "},
        {ReaderFunction::Cool, {14}, "C1 ", "C0 "},
        {ReaderFunction::HV, {18, 19}, "H1 ", "H0 "},
        {ReaderFunction::LightCalibration, {9}, "K1 ", "K0 "},
        {ReaderFunction::Vacuum, {12}, "V1 ", "V0 "},
    };
    for (const Case& c : cases) {
        std::array<std::uint8_t, 32> flags{};
        EXPECT_EQ(ReaderFunctions::press(c.function, flags).command.text, c.whenOff);
        for (int f : c.onFlags) {
            flags[static_cast<std::size_t>(f)] = 1;
        }
        EXPECT_TRUE(ReaderFunctions::shownOn(c.function, flags));
        EXPECT_EQ(ReaderFunctions::press(c.function, flags).command.text, c.whenOn);
    }
    std::array<std::uint8_t, 32> hvHalf{};
    hvHalf[18] = 1;
    EXPECT_TRUE(ReaderFunctions::highVoltageOff(hvHalf));
    std::array<std::uint8_t, 32> purging{};
    purging[13] = 1;
    EXPECT_EQ(ReaderFunctions::press(ReaderFunction::Purge, purging).purgeSwitch, false);
    EXPECT_FALSE(ReaderFunctions::press(ReaderFunction::Cool, purging).purgeSwitch.has_value());
    for (int type : {0, 1, 2, 3, 4}) {
        EXPECT_EQ(ReaderFunctions::available(ReaderFunction::Vacuum, type), type >= 1 && type <= 3);
    }
}

TEST(RunButtonRules, GoAndAbortFollowTheRunFlags) {
    RunState idle;
    RunState prepared;
    prepared.ScriptPrepared = true;
    RunState running = prepared;
    running.RunActive = true;
    RunState last = prepared;
    last.LastStep = true;
    EXPECT_EQ(RunButtonRules::goPicture(idle), GoPicture::None);
    EXPECT_EQ(RunButtonRules::goPicture(prepared), GoPicture::Ready);
    EXPECT_EQ(RunButtonRules::goPicture(running), GoPicture::Running);
    EXPECT_EQ(RunButtonRules::goPicture(last), GoPicture::Close);
    EXPECT_EQ(RunButtonRules::goPress(running), GoPress::StopScript);
    EXPECT_EQ(RunButtonRules::goPress(last), GoPress::ClearPicture);
    EXPECT_EQ(RunButtonRules::goPress(prepared), GoPress::StartRun);
    EXPECT_EQ(RunButtonRules::abortPress(running, false), AbortPress::AbortOperation);
    EXPECT_EQ(RunButtonRules::abortPress(idle, true), AbortPress::AbortOperation);
    EXPECT_EQ(RunButtonRules::abortPress(idle, false), AbortPress::CloseWindow);
    EXPECT_TRUE(RunButtonRules::offerHVHint(prepared, false));
    EXPECT_FALSE(RunButtonRules::offerHVHint(running, false));
    EXPECT_FALSE(RunButtonRules::offerHVHint(prepared, true));
}

TEST(CurveCsv, OneRowPerPointWithEveryChannel) {
    CurveData curve;
    curve.xTitle = "glow curve temperature, \xc2\xb0"
                   "C";
    curve.channels = {{{5, 10}, {10, 20.5}}, {{5, 1}}};
    EXPECT_EQ(CurveCsv(curve), "\"glow curve temperature, \xc2\xb0"
                               "C\",channel 1,channel 2\n"
                               "5,10,1\n"
                               "10,20.5,\n");
    EXPECT_EQ(CurveCsv(CurveData{"t", {{}}}), "t,channel 1\n");
}

} // namespace
} // namespace gw
