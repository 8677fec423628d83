#include "profile/TimeBaseCalculator.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>

namespace gw {
namespace {

using Counts = std::array<int, 4>;

Counts CountsOf(const TimeBaseCalculator& calc) {
    return {calc.N(0), calc.N(1), calc.N(2), calc.N(3)};
}

Counts WidthsOf(const TimeBaseCalculator& calc) {
    return {calc.X(0) * calc.Y(0), calc.X(1) * calc.Y(1), calc.X(2) * calc.Y(2),
            calc.X(3) * calc.Y(3)};
}

TimeBaseResult PlanOsl(TimeBaseCalculator& calc, double lum, double bleach, double bgd,
                       bool veltrax, int system = 0) {
    calc.selectPage(TimeBasePage::OSL);
    calc.setVTXCheckBox(veltrax);
    calc.setSystem(system);
    calc.setLumTime(lum);
    calc.setBleachTime(bleach);
    calc.setBgdTime(bgd);
    return calc.MakeTB();
}

TimeBaseResult PlanRamp(TimeBaseCalculator& calc, int kind, double maxPower, double seconds) {
    calc.selectPage(TimeBasePage::MOSL);
    calc.setKindOfModulation(kind);
    calc.setMaxPower(maxPower);
    calc.setMOSLTime(seconds);
    return calc.MakeTB();
}

TEST(TimeBaseCalculator, StartsWithDefaultWidthsAndNothingPlanned) {
    const TimeBaseCalculator calc;
    EXPECT_EQ(WidthsOf(calc), (Counts{10, 100, 1000, 10000}));
    EXPECT_EQ(CountsOf(calc), (Counts{0, 0, 0, 0}));
    EXPECT_EQ(calc.TotPts(), 0);
    EXPECT_EQ(calc.TotTime(), 0.0);
    EXPECT_EQ(calc.IncrementLab(), 0);
}

TEST(TimeBaseCalculator, SplitWidth) {
    const struct {
        long long width;
        int x;
        int y;
    } cases[] = {
        {99, 1, 99}, {1000, 4, 250}, {3750, 15, 250}, {308, 2, 154}, {65025, 0, 0},
        {10, 1, 10}, {255, 1, 255},  {256, 2, 128},   {65026, 0, 0}, {65024, 255, 255},
    };
    for (const auto& c : cases) {
        const ChannelWidth width = TimeBaseCalculator::SplitWidth(c.width);
        EXPECT_EQ(width.X, c.x) << c.width;
        EXPECT_EQ(width.Y, c.y) << c.width;
    }
}

TEST(TimeBaseCalculator, DerivedValuesFollowEveryChannelChange) {
    TimeBaseCalculator calc;
    calc.setN(2, 30);
    EXPECT_DOUBLE_EQ(calc.TT(2), 30.0);
    calc.setX(2, 2);
    EXPECT_DOUBLE_EQ(calc.TB(2), 0.5);
    EXPECT_DOUBLE_EQ(calc.TT(2), 15.0);
    calc.setN(0, 300); // a byte: at most 255 channels
    EXPECT_EQ(calc.N(0), 255);
    EXPECT_EQ(calc.TotPts(), 285);
    EXPECT_DOUBLE_EQ(calc.TotTime(), 2.55 + 15.0);
    calc.setLumTime(1.5);
    calc.setBgdTime(2);
    EXPECT_DOUBLE_EQ(calc.TotOSL(), 3.5);
}

struct OslCase {
    double lum, bleach, bgd;
    Counts n;
    double lumAfter, bleachAfter, bgdAfter;
};

TEST(TimeBaseCalculator, SeriesScheme) {
    const OslCase cases[] = {
        {1, 28, 1, {0, 250, 5, 0}, 1, 28, 1},
        {1.25, 8, 0.75, {20, 98, 0, 0}, 1.2, 8.0, 0.8},
        {0.5, 10, 0.5, {0, 110, 0, 0}, 0.5, 10, 0.5},
        {0.05, 0.05, 0.05, {20, 0, 0, 0}, 0.05, 0.05, 0.1}, // the 10 ms channels overrun
        {0, 300, 0, {0, 250, 255, 2}, 0, 300, 0},
        // The rounded counts fall short of the periods' end: the periods end with the channels.
        {0, 0.25, 0, {20, 0, 0, 0}, 0, 0.2, 0},
        {0, 25.6, 0, {0, 255, 0, 0}, 0, 25.5, 0},
        {1, 270, 12, {0, 250, 255, 0}, 1, 270, 9},
    };
    for (const OslCase& c : cases) {
        SCOPED_TRACE(c.lum + c.bleach + c.bgd);
        TimeBaseCalculator calc;
        ASSERT_TRUE(PlanOsl(calc, c.lum, c.bleach, c.bgd, false).planned());
        EXPECT_EQ(CountsOf(calc), c.n);
        EXPECT_EQ(WidthsOf(calc), (Counts{10, 100, 1000, 10000}));
        EXPECT_NEAR(calc.LumTime(), c.lumAfter, 1e-9);
        EXPECT_NEAR(calc.BleachTime(), c.bleachAfter, 1e-9);
        EXPECT_NEAR(calc.BgdTime(), c.bgdAfter, 1e-9);
        EXPECT_NEAR(calc.TotOSL(), calc.TotTime(), 1e-9);
    }
}

TEST(TimeBaseCalculator, VeltraxScheme) {
    const OslCase cases[] = {
        {1, 28, 1, {0, 70, 23, 0}, 1, 28, 1},
        {1.25, 8, 0.75, {0, 90, 1, 0}, 1.25, 8, 0.75},
        {0, 0, 0, {0, 1, 0, 0}, 0.01, 0, 0.01},
        {0, 100, 0, {0, 20, 68, 3}, 0.01, 99.98, 0.01},
        // The first choice of 73 channels of 10 s overshoots by more than the 0.1 s channels
        // can take back; 72 of them fit.
        {0, 729.5, 0, {0, 15, 8, 72}, 0.01, 729.48, 0.01},
    };
    for (const OslCase& c : cases) {
        SCOPED_TRACE(c.lum + c.bleach + c.bgd);
        TimeBaseCalculator calc;
        ASSERT_TRUE(PlanOsl(calc, c.lum, c.bleach, c.bgd, true).planned());
        EXPECT_EQ(CountsOf(calc), c.n);
        EXPECT_NEAR(calc.LumTime(), c.lumAfter, 1e-9);
        EXPECT_NEAR(calc.BleachTime(), c.bleachAfter, 1e-9);
        EXPECT_NEAR(calc.BgdTime(), c.bgdAfter, 1e-9);
        EXPECT_LE(calc.TotPts(), 99);
    }
}

TEST(TimeBaseCalculator, LmOsl) {
    const struct {
        double power, seconds;
        int end, increment, points;
        int x, y;
        Counts n;
        double total, endPower;
    } cases[] = {
        {100, 100, 4048, 4, 1012, 1, 99, {255, 255, 255, 247}, 100.188, 98.85},
        {90, 3600, 3840, 4, 960, 15, 250, {255, 255, 255, 195}, 3600, 93.77},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.seconds);
        TimeBaseCalculator calc;
        ASSERT_TRUE(PlanRamp(calc, 0, c.power, c.seconds).planned());
        EXPECT_EQ(calc.IncrementLab(), c.increment);
        EXPECT_EQ(calc.TotalPointsLab(), c.points);
        EXPECT_EQ(calc.TotPts(), c.points);
        EXPECT_EQ(CountsOf(calc), c.n);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(calc.X(i), c.x);
            EXPECT_EQ(calc.Y(i), c.y);
        }
        EXPECT_NEAR(calc.TotalTimeLab(), c.total, 1e-9);
        EXPECT_NEAR(calc.TotTime(), c.total, 1e-9);
        EXPECT_NEAR(calc.EndPowerLab(), c.endPower, 0.005);
        EXPECT_NEAR(calc.TimeOfPointLab(), c.x * c.y / 1000.0, 1e-12);
        EXPECT_FALSE(calc.TimeOfPointGrey());
        EXPECT_DOUBLE_EQ(calc.MaxPower(), c.power);
        EXPECT_EQ(c.points * c.increment, c.end);
    }
}

TEST(TimeBaseCalculator, VmOsl) {
    TimeBaseCalculator calc;
    ASSERT_TRUE(PlanRamp(calc, 1, 100, 100).planned());
    EXPECT_EQ(calc.IncrementLab(), 4);
    EXPECT_EQ(WidthsOf(calc), (Counts{10, 14, 66, 308}));
    EXPECT_EQ(calc.X(3), 2);
    EXPECT_EQ(calc.Y(3), 154);
    EXPECT_EQ(CountsOf(calc), (Counts{255, 255, 255, 251}));
    EXPECT_NEAR(calc.TotalTimeLab(), 100.258, 1e-9);
    EXPECT_EQ(calc.TotalPointsLab(), 1016);
    EXPECT_NEAR(calc.EndPowerLab(), 99.63, 0.005);
    EXPECT_EQ(calc.TimeOfPointLab(), 0.0);
    EXPECT_TRUE(calc.TimeOfPointGrey());
}

TEST(TimeBaseCalculator, LmOslPointCountOfWholeBases) {
    TimeBaseCalculator calc;
    ASSERT_TRUE(PlanRamp(calc, 0, 6, 3.3).planned());
    EXPECT_EQ(calc.TotPts(), 255);
    EXPECT_EQ(CountsOf(calc), (Counts{255, 0, 0, 0}));
}

TEST(TimeBaseCalculator, OslInputThatCannotBePlannedLeavesTheCountsAndPeriods) {
    const struct {
        const char* name;
        bool veltrax;
        double lum, bleach, bgd;
    } cases[] = {
        {"Veltrax beyond 99 channels", true, 0, 1000, 0},
        {"Veltrax between reachable totals", true, 9.85, 820, 0},
        {"series of 0.1 s", false, 0.05, 0, 0.05},
        {"series of nothing", false, 0, 0, 0},
        {"series beyond the last time base", false, 100, 2800, 100},
        {"negative period", false, -1, 10, 1},
        {"Veltrax negative period", true, 1, -10, 1},
        {"period not a number", true, 1, std::nan(""), 1},
        {"infinite period", false, 1, HUGE_VAL, 1},
        {"Veltrax of an absurd length", true, 0, 1e300, 0},
        {"series of an absurd length", false, 1e300, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TimeBaseCalculator calc;
        ASSERT_TRUE(PlanOsl(calc, 1, 28, 1, c.veltrax).planned());
        const Counts before = CountsOf(calc);
        calc.setLumTime(c.lum);
        calc.setBleachTime(c.bleach);
        calc.setBgdTime(c.bgd);
        const TimeBaseResult result = calc.MakeTB();
        EXPECT_EQ(result.outcome, TimeBaseOutcome::CannotBePlanned);
        EXPECT_NE(result.message.find("cannot be planned"), std::string::npos) << result.message;
        EXPECT_EQ(CountsOf(calc), before);
        EXPECT_EQ(WidthsOf(calc), (Counts{10, 100, 1000, 10000}));
        const bool sameBleach = calc.BleachTime() == c.bleach ||
                                (std::isnan(c.bleach) && std::isnan(calc.BleachTime()));
        EXPECT_TRUE(sameBleach) << "the periods stay as given";
    }
}

TEST(TimeBaseCalculator, RampThatCannotBePlanned) {
    const struct {
        const char* name;
        int kind;
        double power, seconds;
    } cases[] = {
        {"VM-OSL whose widest channel reaches 65.025 s", 1, 100, 30000},
        {"LM-OSL whose point exceeds 65.025 s", 0, 100, 100000},
        {"LM-OSL of no time", 0, 100, 0},
        {"VM-OSL of no time", 1, 100, 0.0004},
        {"negative time", 0, 100, -5},
        {"power not a number", 1, std::nan(""), 100},
        {"time not a number", 0, 50, std::nan("")},
        {"time of an absurd length", 1, 50, 1e300},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TimeBaseCalculator calc;
        ASSERT_TRUE(PlanRamp(calc, 0, 100, 100).planned());
        const TimeBaseResult result = PlanRamp(calc, c.kind, c.power, c.seconds);
        EXPECT_EQ(result.outcome, TimeBaseOutcome::CannotBePlanned);
        EXPECT_NE(result.message.find("cannot be planned"), std::string::npos) << result.message;
        EXPECT_EQ(CountsOf(calc), (Counts{255, 255, 255, 247}));
        EXPECT_EQ(calc.IncrementLab(), 4);
    }
}

TEST(TimeBaseCalculator, RampWithoutSolutionKeepsEarlierResults) {
    for (int kind : {0, 1}) {
        TimeBaseCalculator calc;
        ASSERT_TRUE(PlanRamp(calc, 0, 100, 100).planned());
        calc.setX(0, 7);
        EXPECT_EQ(PlanRamp(calc, kind, 0, 100).outcome, TimeBaseOutcome::NoSolution);
        EXPECT_EQ(CountsOf(calc), (Counts{255, 255, 255, 247}));
        EXPECT_EQ(WidthsOf(calc), (Counts{10, 100, 1000, 10000})) << "X and Y are back at defaults";
        EXPECT_EQ(calc.TotalPointsLab(), 1012);
        EXPECT_EQ(calc.TotPts(), 1012);
        EXPECT_DOUBLE_EQ(calc.TotTime(), 0.01 * 255 + 0.1 * 255 + 255 + 10 * 247);
    }
}

TEST(TimeBaseCalculator, PagesAndEditability) {
    TimeBaseCalculator calc;
    ASSERT_TRUE(PlanRamp(calc, 1, 100, 100).planned());
    EXPECT_TRUE(calc.XYEditable());
    EXPECT_TRUE(calc.TimeOfPointGrey());
    calc.setKindOfModulation(0);
    EXPECT_FALSE(calc.TimeOfPointGrey());
    ASSERT_TRUE(PlanRamp(calc, 0, 100, 100).planned());
    EXPECT_GT(calc.TimeOfPointLab(), 0.0);
    calc.selectPage(TimeBasePage::MOSL);
    EXPECT_EQ(calc.TimeOfPointLab(), 0.0);

    calc.selectPage(TimeBasePage::OSL);
    EXPECT_EQ(WidthsOf(calc), (Counts{10, 100, 1000, 10000}));
    EXPECT_FALSE(calc.XYEditable());
    ASSERT_TRUE(PlanOsl(calc, 1, 28, 1, false, 1).planned());
    EXPECT_TRUE(calc.XYEditable()) << "series 66xx";
    ASSERT_TRUE(PlanOsl(calc, 1, 28, 1, false, 0).planned());
    EXPECT_FALSE(calc.XYEditable());
    ASSERT_TRUE(PlanOsl(calc, 1, 28, 1, true, 1).planned());
    EXPECT_FALSE(calc.XYEditable()) << "Veltrax compatible";
}

} // namespace
} // namespace gw
