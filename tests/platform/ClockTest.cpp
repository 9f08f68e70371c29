#include <gtest/gtest.h>

#include <thread>

#include "platform/Clock.h"

namespace corvane {
namespace {

using namespace std::chrono_literals;

TEST(ManualClockTest, SleeperWakesOnlyWhenTimeReachesItsDeadline) {
    ManualClock clock;
    std::atomic<bool> woke{false};
    std::thread sleeper([&] {
        clock.SleepFor(5000ms);
        woke = true;
    });
    ASSERT_TRUE(clock.WaitForSleepers(1));
    clock.Advance(4999ms);
    EXPECT_TRUE(clock.WaitForSleepers(1));
    EXPECT_FALSE(woke.load());
    clock.Advance(1ms);
    sleeper.join();
    EXPECT_TRUE(woke.load());
    EXPECT_EQ(clock.Now().time_since_epoch(), 5000ms);
}

TEST(ManualClockTest, AdvanceToNextDeadlineJumpsToTheEarliest) {
    ManualClock clock;
    std::thread first([&] { clock.SleepFor(300ms); });
    std::thread second([&] { clock.SleepFor(100ms); });
    ASSERT_TRUE(clock.WaitForSleepers(2));
    ASSERT_TRUE(clock.AdvanceToNextDeadline());
    EXPECT_EQ(clock.Now().time_since_epoch(), 100ms);
    second.join();
    ASSERT_TRUE(clock.AdvanceToNextDeadline());
    first.join();
    EXPECT_EQ(clock.Now().time_since_epoch(), 300ms);
    EXPECT_FALSE(clock.AdvanceToNextDeadline());
}

}  // namespace
}  // namespace corvane
