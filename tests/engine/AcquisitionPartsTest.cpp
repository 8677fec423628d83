#include "engine/AcquisitionStatusText.h"
#include "engine/GraphSetup.h"
#include "engine/PointAxis.h"
#include "engine/PortLampSwitch.h"
#include "engine/ReaderWatch.h"
#include "engine/SplitProduct.h"
#include "engine/WatchChecks.h"

#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace gw {
namespace {

TEST(SplitProductTest, FindsByteFactors) {
    struct Case {
        int value;
        ByteFactors expected;
    };
    const Case cases[] = {
        {1000, {4, 250}}, // the default afterglow resolution: "T22 4 250 "
        {100, {1, 100}},     {0, {1, 0}},         {255, {1, 255}}, {256, {2, 128}}, {500, {2, 250}},
        {65025, {255, 255}}, {65000, {255, 255}}, {65026, {0, 0}}, {70000, {0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SplitProduct(c.value), c.expected) << c.value;
    }
}

TEST(SplitProductTest, FactorsAlwaysFitAByteAndComeClose) {
    for (int value = 256; value <= 65025; value += 97) {
        const ByteFactors f = SplitProduct(value);
        ASSERT_GE(f.m, 1) << value;
        ASSERT_LE(f.m, 255) << value;
        ASSERT_LE(f.q, 255) << value;
        EXPECT_LE(std::abs(value - f.m * f.q), 255) << value;
    }
}

TEST(PointAxisTest, TlAxisRunsByIncrement) {
    TDataType op;
    op.Kind = OperationKind::TL;
    op.Points = 3;
    op.Increment = 5;
    PointTable points;
    PreparePointAxis(op, true, points); // the switch does not shift a TL
    EXPECT_EQ(points[0].X, 5.0);
    EXPECT_EQ(points[2].X, 15.0);
    EXPECT_EQ(points[3].X, 0.0);
}

TEST(PointAxisTest, TimeBaseAxisFollowsSegmentsAndShift) {
    TDataType op;
    op.Kind = OperationKind::OSL;
    op.Points = 4;
    op.N = {2, 1, 1, 0};
    op.X = {1, 2, 4, 8};
    op.Y = {100, 100, 100, 100};
    for (const bool compatibility : {false, true}) {
        PointTable points;
        points[0].X = 9.0;
        PreparePointAxis(op, compatibility, points);
        const int shift = compatibility ? 1 : 0;
        if (compatibility) {
            EXPECT_EQ(points[0].X, 0.0);
        }
        EXPECT_NEAR(points[0 + shift].X, 0.1, 1e-12);
        EXPECT_NEAR(points[1 + shift].X, 0.2, 1e-12);
        EXPECT_NEAR(points[2 + shift].X, 0.4, 1e-12);
        EXPECT_NEAR(points[3 + shift].X, 0.8, 1e-12);
    }
}

TEST(PointAxisTest, RampAxisAndTableLimit) {
    TDataType op;
    op.Kind = OperationKind::LMOSL;
    op.Points = 1100; // beyond the table: the rest is left out
    op.XFactor = 2;
    op.YFactor = 50;
    PointTable points;
    PrepareRampAxis(op, false, points);
    EXPECT_NEAR(points[0].X, 0.1, 1e-12);
    EXPECT_NEAR(points[PointTable::LastIndex].X, 0.1 * PointTable::Size, 1e-9);
}

TEST(ReaderWatchTest, ComparesByMode) {
    ReaderState state;
    state.Position = 7;
    state.StateCode = 3;
    state.Counts = {50, 999, 999, 999};
    state.Data[1] = 20;
    state.Flags[BusyFlag] = 1;

    struct Case {
        const char* name;
        std::function<void(ReaderWatch&)> setUp;
        bool matches;
    };
    const Case cases[] = {
        {"reset matches anything", [](ReaderWatch&) {}, true},
        {"until busy", [](ReaderWatch& w) { w.WatchBusy(true); }, true},
        {"until not busy", [](ReaderWatch& w) { w.WatchBusy(false); }, false},
        {"final position while busy",
         [](ReaderWatch& w) {
             w.SetTargetPosition(7);
             w.WatchFinalPosition();
         },
         false},
        {"position equal",
         [](ReaderWatch& w) { w.WatchPattern.Position = 7, w.WatchModes.Position = 0; }, true},
        {"position mode 1 is ignored",
         [](ReaderWatch& w) { w.WatchPattern.Position = 9, w.WatchModes.Position = 1; }, true},
        {"state code mode 1 is ignored",
         [](ReaderWatch& w) { w.WatchPattern.StateCode = 9, w.WatchModes.StateCode = 1; }, true},
        {"counter at least",
         [](ReaderWatch& w) { w.WatchPattern.Counts[0] = 50, w.WatchModes.Counts[0] = 1; }, true},
        {"counter above fails at equal",
         [](ReaderWatch& w) { w.WatchPattern.Counts[0] = 50, w.WatchModes.Counts[0] = 2; }, false},
        {"only the first counter counts",
         [](ReaderWatch& w) { w.WatchPattern.Counts[1] = 5, w.WatchModes.Counts[1] = 0; }, true},
        {"timer mode 2 is ignored",
         [](ReaderWatch& w) { w.WatchPattern.Timer = 5, w.WatchModes.Timer = 2; }, true},
        {"data above",
         [](ReaderWatch& w) { w.WatchPattern.Data[1] = 19, w.WatchModes.Data[1] = 2; }, true},
    };
    for (const Case& c : cases) {
        ReaderWatch watch;
        c.setUp(watch);
        EXPECT_EQ(watch.Matches(state), c.matches) << c.name;
    }
    ReaderWatch positioned;
    positioned.SetTargetPosition(7);
    positioned.WatchFinalPosition();
    state.Flags[BusyFlag] = 0;
    EXPECT_TRUE(positioned.Matches(state));
    state.Position = 8;
    EXPECT_FALSE(positioned.Matches(state));
}

TEST(WatchChecksTest, WarmCooledIrradiating) {
    ReaderState state;
    state.Data[TemperatureErrorReading] = 131;
    EXPECT_TRUE(UntilWarmHolds(state));
    state.Data[TemperatureErrorReading] = 124;
    EXPECT_FALSE(UntilWarmHolds(state));

    TDataType op;
    op.CoolTemp = 60;
    state.Data[TemperatureReading] = 15; // 60 C
    EXPECT_TRUE(UntilCooledHolds(op, state));
    state.Data[TemperatureReading] = 16;
    EXPECT_FALSE(UntilCooledHolds(op, state));

    EXPECT_FALSE(UntilIrradHolds(state));
    state.ErrorBits = IrradiatorErrorBit;
    EXPECT_TRUE(UntilIrradHolds(state));
    state.ErrorBits = 0;
    state.Flags[IrradiatingFlag] = 1;
    EXPECT_TRUE(UntilIrradHolds(state));
}

TEST(AcquisitionStatusTextTest, TellsWhatIsGoingOn) {
    std::array<std::uint8_t, 32> flags{};
    TDataType op;
    op.Kind = OperationKind::LMOSL;
    AcquisitionState idle;
    idle.LastState = 0;
    EXPECT_EQ(AcquisitionStatusText(op, idle, flags, 3), "idle");
    flags[IrradiatingFlag] = 1;
    EXPECT_EQ(AcquisitionStatusText(op, idle, flags, 3), "irradiating 3 s");
    flags[CalibrationFlag] = 1;
    EXPECT_EQ(AcquisitionStatusText(op, idle, flags, 3), "calibrating");
    flags[BusyFlag] = 1;
    EXPECT_EQ(AcquisitionStatusText(op, idle, flags, 3), "busy");

    AcquisitionState running = idle;
    running.LastState = 10;
    EXPECT_EQ(AcquisitionStatusText(op, running, flags, 3), "");
    running.TakingData = true;
    EXPECT_EQ(AcquisitionStatusText(op, running, flags, 3), "taking LM-OSL data");
    running.Irradiating = true;
    EXPECT_EQ(AcquisitionStatusText(op, running, flags, 12), "irradiating 12 s");
    running.Querying = true;
    EXPECT_EQ(AcquisitionStatusText(op, running, flags, 12), "querying data");
    running.LampStabilizing = true;
    EXPECT_EQ(AcquisitionStatusText(op, running, flags, 12), "stabilizing halogen lamp");
}

TEST(GraphSetupTest, TitlesAxesAndRanges) {
    TDataType tl;
    tl.Kind = OperationKind::TL;
    tl.Temperature = 600;
    tl.Disk = 4;
    tl.UseHoles = 1;
    tl.Hole = 7;
    const GraphSetup tlSetup = GraphSetupFor(tl);
    EXPECT_EQ(tlSetup.title, "TL glow curve");
    EXPECT_EQ(tlSetup.xAxisTitle, "glow curve temperature, \260C");
    EXPECT_EQ(tlSetup.xMaximum, 700.0);
    EXPECT_TRUE(tlSetup.showsTL);
    EXPECT_TRUE(tlSetup.showHole);
    EXPECT_EQ(tlSetup.hole, 7);
    tl.Temperature = 500;
    EXPECT_EQ(GraphSetupFor(tl).xMaximum, 500.0);

    TDataType osl;
    osl.Kind = OperationKind::OSL;
    osl.X = {1, 0, 0, 0};
    osl.Y = {100, 0, 0, 0};
    osl.N = {400, 0, 0, 0}; // 40 s
    GraphSetup oslSetup = GraphSetupFor(osl);
    EXPECT_EQ(oslSetup.title, "OSL curve");
    EXPECT_EQ(oslSetup.xAxisTitle, "excitation time, s");
    EXPECT_EQ(oslSetup.xMaximum, 40.0);
    EXPECT_EQ(oslSetup.xDecimals, 0);
    osl.N = {40, 0, 0, 0}; // 4 s
    EXPECT_EQ(GraphSetupFor(osl).xDecimals, 1);
    osl.Kind = OperationKind::VMOSL;
    EXPECT_EQ(GraphSetupFor(osl).title, "M-OSL curve");

    TDataType irradiation;
    irradiation.Kind = OperationKind::Irradiation;
    irradiation.UseHoles = 1;
    EXPECT_FALSE(GraphSetupFor(irradiation).showHole);
    EXPECT_FALSE(GraphSetupFor(irradiation).showChart);
}

class FakePorts : public BytePorts {
public:
    std::uint8_t In(int port) override { return bytes[port]; }
    void Out(int port, std::uint8_t value) override { bytes[port] = value; }
    std::map<int, std::uint8_t> bytes;
};

TEST(PortLampSwitchTest, BitFiveOfTheLampPort) {
    FakePorts ports;
    PortLampSwitch lamp(ports);
    lamp.SelectPortBase(0x220, 0);
    EXPECT_EQ(ports.bytes.at(0x23C), 0);
    ports.bytes[0x224] = 0x41;
    EXPECT_FALSE(lamp.LampIsOn());
    lamp.SwitchLamp(true);
    EXPECT_EQ(ports.bytes[0x224], 0x61);
    EXPECT_TRUE(lamp.LampIsOn());
    lamp.SwitchLamp(false);
    EXPECT_EQ(ports.bytes[0x224], 0x41);
}

} // namespace
} // namespace gw
