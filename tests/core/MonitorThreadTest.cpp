#include <gtest/gtest.h>

#include <mutex>
#include <thread>

#include "accounts/SystemSettings.h"
#include "core/MonitorClientThread.h"
#include "core/Monitoring.h"
#include "platform/Clock.h"

namespace corvane {
namespace {

using namespace std::chrono_literals;
using accounts::_CUserInfo;

_CUserInfo Account(const std::string& name) {
    _CUserInfo account;
    account.username = name;
    return account;
}

// Runs a monitor on its own thread in virtual time and records when each account is polled.
class MonitorThreadTest : public ::testing::Test {
protected:
    void StartWith(std::vector<_CUserInfo> accounts) {
        monitor = std::make_unique<CMonitorClientThread>(
            clock, settings,
            CMonitorClientThread::Work{[accounts] { return accounts; },
                                       [this](const _CUserInfo& account) {
                                           std::lock_guard lock(mutex);
                                           recorded.emplace_back(account.username,
                                                                 clock.Now().time_since_epoch());
                                       }});
        thread = std::thread([this] { monitor->Run(); });
    }

    void TearDown() override {
        if (thread.joinable()) {
            monitor->RequestStop();
            while (!monitor->Ended()) {
                clock.Advance(1s);
                std::this_thread::yield();
            }
            thread.join();
        }
    }

    // Lets `seconds` of virtual time pass, one second at a time, as the thread sleeps.
    void PassSeconds(int seconds) {
        for (int i = 0; i < seconds; ++i) {
            ASSERT_TRUE(clock.WaitForSleepers(1));
            clock.Advance(1s);
        }
    }

    std::vector<std::pair<std::string, std::chrono::milliseconds>> Polls() {
        std::lock_guard lock(mutex);
        return recorded;
    }

    // Virtual time at which the thread ended, once it has.
    std::chrono::milliseconds EndTime() {
        thread.join();
        EXPECT_TRUE(monitor->Ended());
        return clock.Now().time_since_epoch();
    }

    ManualClock clock;
    accounts::SystemSettings settings;
    std::unique_ptr<CMonitorClientThread> monitor;
    std::thread thread;
    std::mutex mutex;
    std::vector<std::pair<std::string, std::chrono::milliseconds>> recorded;
};

TEST_F(MonitorThreadTest, PollsEachAccountThenPausesAndWaitsTheInterval) {
    settings.reflashtime = 20;
    StartWith({Account("first"), Account("second")});
    PassSeconds(1 + 30);
    ASSERT_TRUE(clock.WaitForSleepers(1));
    const auto polls = Polls();
    ASSERT_EQ(polls.size(), 3u);
    // After the one-second settling wait: 0 s, 5 s and, after 5 + 20 s, 30 s.
    EXPECT_EQ(polls[0], std::make_pair(std::string("first"), std::chrono::milliseconds(1s)));
    EXPECT_EQ(polls[1], std::make_pair(std::string("second"), std::chrono::milliseconds(6s)));
    EXPECT_EQ(polls[2], std::make_pair(std::string("first"), std::chrono::milliseconds(31s)));
}

TEST_F(MonitorThreadTest, StopDuringTheWaitEndsWithinOneSecond) {
    settings.reflashtime = 20;
    StartWith({Account("only")});
    PassSeconds(1 + 5 + 7);
    monitor->RequestStop();
    const auto stoppedAt = clock.Now().time_since_epoch();
    clock.Advance(1s);
    EXPECT_LE(EndTime() - stoppedAt, 1s);
    EXPECT_EQ(Polls().size(), 1u);
}

TEST_F(MonitorThreadTest, LoweredIntervalEndsALongerWaitAtOnce) {
    settings.reflashtime = 60;
    StartWith({Account("only")});
    PassSeconds(1 + 5 + 25);
    settings.reflashtime = 20;
    const auto loweredAt = clock.Now().time_since_epoch();
    PassSeconds(1);
    ASSERT_TRUE(clock.WaitForSleepers(1));
    const auto polls = Polls();
    ASSERT_EQ(polls.size(), 2u);
    EXPECT_LE(polls[1].second - loweredAt, 1s);
}

TEST_F(MonitorThreadTest, WithoutAccountsStaysAliveWakingEverySecond) {
    settings.reflashtime = 20;
    StartWith({});
    for (int second = 0; second < 100; ++second) {
        ASSERT_TRUE(clock.WaitForSleepers(1));
        ASSERT_TRUE(clock.AdvanceToNextDeadline());
        EXPECT_EQ(clock.Now().time_since_epoch(), std::chrono::seconds(second + 1));
    }
    EXPECT_FALSE(monitor->Ended());
    EXPECT_TRUE(Polls().empty());
}

TEST(MonitoringTest, StartsAndStopsTheMonitorWithTheOnlineStatusThread) {
    ManualClock clock;
    accounts::SystemSettings settings;
    WorkerRegistry workers;
    int onlineStarts = 0, onlineStops = 0;
    std::shared_ptr<CMonitorClientThread> started;
    Monitoring monitoring(
        [&] {
            started = CMonitorClientThread::Start(
                clock, settings, {[] { return std::vector<_CUserInfo>{}; }, [](auto&) {}},
                workers.Enter());
            return started;
        },
        [&] {
            ++onlineStarts;
            return [&] { ++onlineStops; };
        });
    monitoring.Start();
    monitoring.Start();
    EXPECT_TRUE(monitoring.IsRunning());
    EXPECT_EQ(onlineStarts, 1);
    monitoring.Stop();
    EXPECT_FALSE(monitoring.IsRunning());
    EXPECT_EQ(onlineStops, 1);
    // The stopped thread ends by itself at its next check.
    while (!workers.WaitForAll(0ms)) {
        clock.AdvanceToNextDeadline();
        std::this_thread::yield();
    }
    EXPECT_TRUE(started->Ended());
}

}  // namespace
}  // namespace corvane
