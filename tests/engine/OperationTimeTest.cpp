#include "engine/OperationTime.h"

#include <cmath>
#include <gtest/gtest.h>

namespace gw {
namespace {

TDataType Tl(int temperature, int rampRate, int hold = 0, int preheatTemp = 0,
             int preheatTime = 0) {
    TDataType op;
    op.Kind = OperationKind::TL;
    op.Temperature = temperature;
    op.RampRate = rampRate;
    op.HoldTime = hold;
    op.PreheatTemp = preheatTemp;
    op.PreheatTime = preheatTime;
    return op;
}

TDataType Osl(OperationKind kind, bool holes = false) {
    TDataType op;
    op.Kind = kind;
    op.X = {1, 1, 4, 40};
    op.Y = {10, 100, 250, 250};
    op.N = {20, 80, 30, 2};
    op.UseHoles = holes ? 1 : 0;
    return op;
}

TDataType Irradiation(char source, int seconds) {
    TDataType op;
    op.Kind = OperationKind::Irradiation;
    op.Source = source;
    op.IrradTime = seconds;
    return op;
}

TDataType OfKind(OperationKind kind) {
    TDataType op;
    op.Kind = kind;
    op.IrradTime = 50; // fields of other kinds must not count
    op.HoldTime = 50;
    op.N = {5, 5, 5, 5};
    op.X = op.Y = {1, 1, 1, 1};
    return op;
}

struct DurationCase {
    const char* name;
    TDataType operation;
    double duration;
    double estimated;
};

TEST(OperationTime, DurationAndEstimateByKind) {
    const DurationCase cases[] = {
        {"TL 500 at 5", Tl(500, 5), 100.0, 124.0},
        {"TL with hold and preheat", Tl(450, 5, 10, 160, 10), 90 + 10 + 32 + 10, 166.0},
        {"TL without ramp rate counts hold and preheat only", Tl(500, 0, 10, 160, 20), 30.0, 54.0},
        {"TL with negative ramp rate", Tl(500, -2, 10), 10.0, 34.0},
        {"OSL", Osl(OperationKind::OSL), 0.2 + 8 + 30 + 20, 61.2},
        {"LM-OSL", Osl(OperationKind::LMOSL), 58.2, 61.2},
        {"VM-OSL on a disk with holes", Osl(OperationKind::VMOSL, true), 5820.0, 5823.0},
        {"internal beta", Irradiation('X', 100), 100.0, 141.0},
        {"internal X-ray high", Irradiation('J', 7), 7.0, 48.0},
        {"external alpha", Irradiation('A', 100), 0.0, 41.0},
        {"external beta", Irradiation('B', 100), 0.0, 41.0},
        {"external gamma", Irradiation('G', 100), 0.0, 41.0},
        {"none", OfKind(OperationKind::None), 0.0, 0.0},
        {"point query", OfKind(OperationKind::PointQuery), 0.0, 0.0},
    };
    for (const DurationCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(OperationDuration(c.operation), c.duration, 1e-9);
        EXPECT_NEAR(EstimatedTime(c.operation), c.estimated, 1e-9);
    }
}

TEST(OperationTime, HolesMultiplyEveryOslKindByAHundred) {
    for (OperationKind kind : {OperationKind::OSL, OperationKind::LMOSL, OperationKind::VMOSL}) {
        EXPECT_NEAR(OperationDuration(Osl(kind, true)), 100 * OperationDuration(Osl(kind)), 1e-9);
    }
}

TEST(OperationTime, LargestTimeBaseDoesNotOverflow) {
    TDataType op = Osl(OperationKind::OSL, true);
    op.X = op.Y = op.N = {255, 255, 255, 255};
    EXPECT_NEAR(OperationDuration(op), 4.0 * 255 * 255 * 255 * 0.1, 1e-6);
}

TEST(OperationTime, TlDurationIsFiniteForEveryRampRate) {
    for (int rate : {0, -1, 1}) {
        const TDataType op = Tl(500, rate, 5, 100, 5);
        EXPECT_TRUE(std::isfinite(OperationDuration(op))) << rate;
        EXPECT_TRUE(std::isfinite(EstimatedTime(op))) << rate;
    }
}

TEST(FormatSpan, HoursAndTwoDigitMinutes) {
    const struct {
        double days;
        const char* text;
    } cases[] = {
        {1.25, "1d 6:00"},
        {0.0437, "1:03"},
        {0.0, "0:00"},
        {10.0 / 1440, "0:10"},
        {1.0 / 24, "1:00"},                  // 3599.99... s rounds to the full hour
        {(59 * 60 + 29) / 86400.0, "0:59"},  // under half a minute is dropped
        {(59 * 60 + 30) / 86400.0, "1:00"},  // a rounded-up 60th minute carries
        {(86400 - 15) / 86400.0, "1d 0:00"}, // and may carry into the days
        {2.0, "2d 0:00"},
        {(10 * 3600 + 5 * 60) / 86400.0, "10:05"},
        {-0.5, "0:00"},
        {std::nan(""), "0:00"},
        {HUGE_VAL, "0:00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatSpan(c.days), c.text) << c.days;
    }
}

} // namespace
} // namespace gw
