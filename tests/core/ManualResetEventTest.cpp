#include "core/ManualResetEvent.h"

#include "core/TimeScale.h"

#include <gtest/gtest.h>
#include <thread>

namespace gw {
namespace {

using namespace std::chrono_literals;

TEST(ManualResetEvent, StaysSetUntilReset) {
    ManualResetEvent event(true);
    EXPECT_EQ(event.WaitFor(0us), WaitResult::Signaled);
    EXPECT_EQ(event.WaitFor(0us), WaitResult::Signaled);
    event.Reset();
    EXPECT_FALSE(event.IsSet());
    EXPECT_EQ(event.WaitFor(1ms), WaitResult::Timeout);
}

TEST(ManualResetEvent, ReleasesAWaiterOnAnotherThread) {
    ManualResetEvent event;
    WaitResult result = WaitResult::Error;
    std::thread waiter([&] { result = event.WaitFor(10s); });
    event.Set();
    waiter.join();
    EXPECT_EQ(result, WaitResult::Signaled);
}

TEST(ManualResetEvent, AbandonReleasesWaitersForGood) {
    ManualResetEvent event;
    WaitResult result = WaitResult::Error;
    std::thread waiter([&] { result = event.WaitFor(10s); });
    event.Abandon();
    waiter.join();
    EXPECT_EQ(result, WaitResult::Abandoned);
    event.Set();
    EXPECT_EQ(event.WaitFor(0us), WaitResult::Abandoned);
}

TEST(ManualResetEvent, ResultsHaveTheirLoggedNames) {
    EXPECT_STREQ(WaitResultName(WaitResult::Signaled), "signaled");
    EXPECT_STREQ(WaitResultName(WaitResult::Timeout), "timeout");
    EXPECT_STREQ(WaitResultName(WaitResult::Abandoned), "abandoned");
    EXPECT_STREQ(WaitResultName(WaitResult::Error), "error");
}

TEST(TimeScale, ScalesDelaysAndTimers) {
    ScopedTimeScale fast(0.001);
    EXPECT_EQ(TimeScale::Scaled(60s), 60ms);
    EXPECT_EQ(TimeScale::Scaled(100us), 1us) << "a positive delay never vanishes";
    EXPECT_EQ(TimeScale::Scaled(0us), 0us);
    EXPECT_EQ(TimeScale::TimerMs(3000), 3);
    EXPECT_EQ(TimeScale::TimerMs(100), 1);
    EXPECT_EQ(TimeScale::TimerMs(0), 0) << "a stopped timer stays stopped";
}

TEST(TimeScale, RefusesFactorsThatAreNotPositive) {
    ScopedTimeScale normal(1.0);
    EXPECT_FALSE(TimeScale::SetFactor(0));
    EXPECT_FALSE(TimeScale::SetFactor(-2));
    EXPECT_FALSE(TimeScale::SetFactor(std::numeric_limits<double>::infinity()));
    EXPECT_DOUBLE_EQ(TimeScale::Factor(), 1.0);
    EXPECT_EQ(TimeScale::TimerMs(3000), 3000);
    EXPECT_TRUE(TimeScale::SetFactor(1e9));
    EXPECT_EQ(TimeScale::TimerMs(3000), std::numeric_limits<int>::max()) << "clamped, not wrapped";
}

} // namespace
} // namespace gw
