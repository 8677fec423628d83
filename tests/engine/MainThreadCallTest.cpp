#include "engine/runtime/MainThreadCall.h"

#include "EngineHarness.h"

#include <QThread>
#include <atomic>
#include <gtest/gtest.h>
#include <memory>
#include <thread>

namespace gw::testing {
namespace {

TEST(MainThreadCallTest, RunsOnTheOwnersThreadAndWaits) {
    MainThreadCall call;
    QThread* const main = QThread::currentThread();
    std::atomic<bool> returned{false};
    std::vector<int> order;
    bool onMain = false;
    std::thread caller([&] {
        for (int i = 0; i < 3; ++i) {
            EXPECT_TRUE(call.run([&] {
                onMain = QThread::currentThread() == main;
                order.push_back(i);
            }));
        }
        returned = true;
    });
    EXPECT_TRUE(RunUntil([&] { return returned.load(); }, 5000));
    caller.join();
    EXPECT_TRUE(onMain);
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
    // On the owner's own thread the function runs at once.
    bool direct = false;
    EXPECT_TRUE(call.run([&] { direct = true; }));
    EXPECT_TRUE(direct);
}

TEST(MainThreadCallTest, ClosedCallIsRefusedAndReleasesTheCaller) {
    MainThreadCall call;
    std::atomic<bool> result{true};
    bool ran = false;
    std::thread caller([&] { result = call.run([&] { ran = true; }); });
    call.close(); // the owner goes away without serving the call
    caller.join();
    QCoreApplication::processEvents();
    EXPECT_FALSE(result.load());
    EXPECT_FALSE(ran);
}

TEST(MeasurementEngineTest, GoesAwayWhileTheThreadPreparesTheReader) {
    EngineHarness bench(SimOptions{});
    ASSERT_TRUE(bench.open());
    auto engine = std::make_unique<MeasurementEngine>(bench.console, bench.lamp);
    TDataType op;
    op.Kind = OperationKind::TL;
    op.Disk = 30;
    op.Temperature = 100;
    op.Increment = 2;
    op.RampRate = 10;
    op.Points = 50;
    bench.console.CurrentOperation = op;
    ASSERT_TRUE(engine->startDataTake());
    ASSERT_TRUE(RunUntil([&] { return bench.logged("Move back command sent"); }));
    engine.reset(); // must not hang on the thread's calls
    EXPECT_TRUE(bench.logged("T: DataTake thread stopped by the abort - nothing more sent"));
    EXPECT_FALSE(bench.logged("A30 "));
}

} // namespace
} // namespace gw::testing
