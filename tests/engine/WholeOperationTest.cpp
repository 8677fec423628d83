#include "EngineHarness.h"
#include "engine/WatchChecks.h"

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

} // namespace
} // namespace gw::testing
