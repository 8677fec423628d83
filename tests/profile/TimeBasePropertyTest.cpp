#include "profile/TimeBaseCalculator.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace gw {
namespace {

// Every time base the calculator accepts must cover the requested time within the tolerance of
// its scheme, use at most 1020 channels (99 in the Veltrax scheme) and only channel widths the
// reader can run; it may refuse only input that its channels cannot hold.
class TimeBaseProperty : public ::testing::Test {
protected:
    std::mt19937 random{20261209};

    double LogUniform(double lo, double hi) {
        return std::exp(std::uniform_real_distribution<>(std::log(lo), std::log(hi))(random));
    }
    // Periods on the 10 ms grid the schemes work on; now and then one of them is 0.
    double Period(double hi) {
        if (std::uniform_int_distribution<>(0, 4)(random) == 0) {
            return 0.0;
        }
        return std::round(LogUniform(0.01, hi) * 100.0) / 100.0;
    }

    static void ExpectReaderWidths(const TimeBaseCalculator& calc) {
        int channels = 0;
        for (int i = 0; i < TimeBaseCalculator::Bases; ++i) {
            if (calc.N(i) > 0) {
                EXPECT_GE(calc.X(i), 1);
                EXPECT_GE(calc.Y(i), 1);
            }
            channels += calc.N(i);
        }
        EXPECT_EQ(calc.TotPts(), channels);
        EXPECT_LE(channels, 1020);
    }
};

TEST_F(TimeBaseProperty, OslSchemesCoverThePeriods) {
    for (int run = 0; run < 3000; ++run) {
        const bool veltrax = run % 2 == 0;
        const double lum = Period(veltrax ? 200 : 600);
        const double bleach = Period(veltrax ? 800 : 3000);
        const double bgd = Period(veltrax ? 200 : 600);
        const double total = lum + bleach + bgd;
        SCOPED_TRACE(testing::Message()
                     << (veltrax ? "Veltrax " : "series ") << lum << ", " << bleach << ", " << bgd);
        TimeBaseCalculator calc;
        calc.setVTXCheckBox(veltrax);
        calc.setSystem(run % 3 == 0 ? 1 : 0);
        calc.setLumTime(lum);
        calc.setBleachTime(bleach);
        calc.setBgdTime(bgd);
        const TimeBaseResult result = calc.MakeTB();
        if (!result.planned()) {
            EXPECT_EQ(result.outcome, TimeBaseOutcome::CannotBePlanned);
            EXPECT_TRUE(veltrax ? total > 829.8 : (total <= 0.1 + 1e-9 || total > 2834.9))
                << result.message;
            continue;
        }
        ExpectReaderWidths(calc);
        EXPECT_GE(calc.LumTime(), 0.0);
        EXPECT_GE(calc.BleachTime(), 0.0);
        EXPECT_GE(calc.BgdTime(), 0.0);
        if (veltrax) {
            // Each period ends on the 10 ms grid, at least 10 ms in; the channels cover them
            // with less than one 0.1 s channel to spare.
            EXPECT_LE(calc.TotPts(), 99);
            const double covered = std::max(total, calc.TotOSL());
            EXPECT_GE(calc.TotTime(), covered - 1e-9);
            EXPECT_LT(calc.TotTime() - covered, 0.099 + 1e-9);
            EXPECT_NEAR(calc.LumTime(), std::max(lum, 0.01), 0.01 + 1e-9);
        } else {
            // The periods are moved to channel boundaries and end with the channels, which miss
            // the requested total by at most half a 10 s channel.
            EXPECT_NEAR(calc.TotOSL(), calc.TotTime(), 1e-9);
            EXPECT_NEAR(calc.TotTime(), total, 5.0 + 1e-9);
            EXPECT_LE(calc.LumTime(), lum + 1e-9);
            EXPECT_LE(calc.LumTime() + calc.BleachTime(), lum + bleach + 1e-9);
        }
    }
}

TEST_F(TimeBaseProperty, RampsCoverTheTimeWithinOnePointFivePercent) {
    for (int run = 0; run < 400; ++run) {
        const int kind = run % 2;
        const double power = std::uniform_real_distribution<>(0.5, 100.0)(random);
        const double seconds = std::round(LogUniform(0.05, 50000.0) * 1000.0) / 1000.0;
        SCOPED_TRACE(testing::Message()
                     << (kind == 0 ? "LM " : "VM ") << power << " % " << seconds << " s");
        TimeBaseCalculator calc;
        calc.selectPage(TimeBasePage::MOSL);
        calc.setKindOfModulation(kind);
        calc.setMaxPower(power);
        calc.setMOSLTime(seconds);
        const TimeBaseResult result = calc.MakeTB();
        if (result.outcome == TimeBaseOutcome::CannotBePlanned) {
            EXPECT_TRUE(seconds > 650.0 || seconds < 1.0) << result.message;
            continue;
        }
        if (result.outcome == TimeBaseOutcome::NoSolution) {
            EXPECT_EQ(calc.TotPts(), 0);
            continue;
        }
        ExpectReaderWidths(calc);
        const double requestedMs = std::nearbyint(seconds * 1000.0);
        double tolerance = std::nearbyint(seconds * 15.0);
        if (kind == 1) {
            tolerance = std::max(tolerance, 10.0); // no channel is shorter than 10 ms
        }
        EXPECT_LE(std::abs(calc.TotTime() * 1000.0 - requestedMs), tolerance + 1e-6);
        EXPECT_NEAR(calc.TotalTimeLab(), calc.TotTime(), 1e-9);
        EXPECT_EQ(calc.TotalPointsLab(), calc.TotPts());
        // The ramp ends within 5 % of the maximum power.
        EXPECT_NEAR(calc.EndPowerLab(), power, power * 0.05 + 0.02);
        if (kind == 0) {
            for (int i = 1; i < TimeBaseCalculator::Bases; ++i) {
                EXPECT_EQ(calc.X(i) * calc.Y(i), calc.X(0) * calc.Y(0));
            }
        }
    }
}

} // namespace
} // namespace gw
