#include <gtest/gtest.h>

#include <map>
#include <mutex>
#include <thread>

#include "fake-messenger/ChatUrl.h"
#include "greeting/AutoSendMsgThread.h"
#include "greeting/GreetingSenderControl.h"
#include "greeting/MessengerAutomation.h"
#include "greeting/ScriptedDesktop.h"
#include "greeting/SenderHarness.h"
#include "store/Statements.h"
#include "support/TempStore.h"

namespace corvane::greeting {
namespace {

using namespace std::chrono_literals;
using testing::QueuedVisitors;
using testing::QueueGreeting;
using testing::RunUntil;
using testing::ScriptedDesktop;

class AutoSendMsgThreadTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (thread_.joinable()) {
            sender.RequestStop();
            while (!sender.HasEnded()) {
                if (clock.WaitForSleepers(1, 50ms)) {
                    clock.AdvanceToNextDeadline();
                }
            }
            thread_.join();
        }
    }

    void StartSender() {
        thread_ = std::thread([this] { sender.Run(); });
    }

    // Visitors whose chat was asked for, with the virtual time of the request.
    std::vector<std::pair<std::string, Clock::Duration>> Opened() {
        std::lock_guard lock(mutex_);
        return opened_;
    }

    std::vector<std::string> SentTo() {
        std::vector<std::string> visitors;
        for (const ScriptedDesktop::Sent& sent : desktop.SentMessages()) {
            visitors.push_back(sent.visitor + "/" + sent.account + ":" + sent.text);
        }
        return visitors;
    }

    testing::TempStore store;
    ScriptedDesktop desktop;
    ManualClock clock;
    accounts::SystemSettings settings;
    // Runs on the sender thread when a chat is asked for; by default the chat opens.
    std::function<void(const fake::ChatParties&)> onOpen = [this](const fake::ChatParties& p) {
        desktop.AddChat(ScriptedDesktop::Layout::FrameHtml, p.visitor, p.account);
    };
    MessengerAutomation messenger{desktop, clock, settings, [this](const std::string& url) {
                                      const fake::ChatParties parties = *fake::ParseChatUrl(url);
                                      {
                                          std::lock_guard lock(mutex_);
                                          opened_.emplace_back(parties.visitor,
                                                               clock.Now().time_since_epoch());
                                      }
                                      onOpen(parties);
                                  }};
    CAutoSendMsgThread sender{store.connection, settings, messenger, clock};

private:
    std::thread thread_;
    std::mutex mutex_;
    std::vector<std::pair<std::string, Clock::Duration>> opened_;
};

TEST_F(AutoSendMsgThreadTest, OneVisitorFromTwoAccountsIsGreetedOnceAndBothRowsGo) {
    ASSERT_TRUE(QueueGreeting(store.connection, "buyer", "shopA", "hi [username]"));
    ASSERT_TRUE(QueueGreeting(store.connection, "buyer", "shopB", "hello"));
    StartSender();

    ASSERT_TRUE(RunUntil(clock, [&] { return QueuedVisitors(store.connection).empty(); }));
    ASSERT_TRUE(RunUntil(clock, [&] { return clock.Now().time_since_epoch() >= 60s; }));
    EXPECT_EQ(SentTo(), (std::vector<std::string>{"buyer/shopA:hi buyer"}));
}

TEST_F(AutoSendMsgThreadTest, NamesAreTheSameOnlyWhenEqual) {
    for (const char* visitor : {"abc", "xabcx", "ab"}) {
        ASSERT_TRUE(QueueGreeting(store.connection, visitor, "shop", "hi [username]"));
    }
    StartSender();

    ASSERT_TRUE(RunUntil(clock, [&] { return QueuedVisitors(store.connection).empty(); }));
    EXPECT_EQ(SentTo(), (std::vector<std::string>{"abc/shop:hi abc", "xabcx/shop:hi xabcx",
                                                  "ab/shop:hi ab"}));
}

TEST_F(AutoSendMsgThreadTest, EveryJobTakenCostsOneStepEvenWhenNotSent) {
    settings.sendsteptime = 5;
    ASSERT_TRUE(QueueGreeting(store.connection, "quiet", "shop", ""));
    ASSERT_TRUE(QueueGreeting(store.connection, "ghost", "shop", "hi"));
    ASSERT_TRUE(QueueGreeting(store.connection, "", "shop", "hi"));
    ASSERT_TRUE(QueueGreeting(store.connection, "buyer", "shop", "hi"));
    onOpen = [this](const fake::ChatParties& p) {
        if (p.visitor != "ghost") {
            desktop.AddChat(ScriptedDesktop::Layout::CustomerDialog, p.visitor, p.account);
        }
    };
    StartSender();

    ASSERT_TRUE(RunUntil(clock, [&] { return QueuedVisitors(store.connection).empty(); }));
    // The empty message is not sent yet costs 5 s; the chat that never opens is looked for
    // ten times (5 s), then 5 s more; the empty name costs 5 s.
    EXPECT_EQ(Opened(), (std::vector<std::pair<std::string, Clock::Duration>>{{"ghost", 5s},
                                                                              {"buyer", 20s}}));
    EXPECT_EQ(SentTo(), (std::vector<std::string>{"buyer/shop:hi"}));
}

TEST_F(AutoSendMsgThreadTest, ARowQueuedDuringAPassIsSentInTheNext) {
    ASSERT_TRUE(QueueGreeting(store.connection, "first", "shop", "hi"));
    onOpen = [this](const fake::ChatParties& p) {
        if (p.visitor == "first") {
            QueueGreeting(store.connection, "late", "shop", "hi");
        }
        desktop.AddChat(ScriptedDesktop::Layout::FrameRich, p.visitor, p.account);
    };
    StartSender();

    ASSERT_TRUE(RunUntil(clock, [&] {
        return QueuedVisitors(store.connection) == std::vector<std::string>{"late"};
    }));
    EXPECT_EQ(SentTo(), (std::vector<std::string>{"first/shop:hi"}));
    ASSERT_TRUE(RunUntil(clock, [&] { return QueuedVisitors(store.connection).empty(); }));
    EXPECT_EQ(SentTo(), (std::vector<std::string>{"first/shop:hi", "late/shop:hi"}));
}

TEST_F(AutoSendMsgThreadTest, ARowReusingTheKeyOfAnEmptiedQueueSurvivesThePass) {
    ASSERT_TRUE(QueueGreeting(store.connection, "first", "shop", "hi"));
    onOpen = [this](const fake::ChatParties& p) {
        if (p.visitor == "first") {
            // The queue is emptied meanwhile (another client, or a stop and start), and the
            // next row queued is given the freed key.
            store.connection.Execute(store::sql::kDeleteGreetingJobs);
            QueueGreeting(store.connection, "newer", "shop", "hi");
        }
        desktop.AddChat(ScriptedDesktop::Layout::FrameRich, p.visitor, p.account);
    };
    StartSender();

    ASSERT_TRUE(RunUntil(clock, [&] { return SentTo().size() == 2; }));
    EXPECT_EQ(SentTo(), (std::vector<std::string>{"first/shop:hi", "newer/shop:hi"}));
}

TEST_F(AutoSendMsgThreadTest, TheStepIntervalIsReadAgainEverySecond) {
    settings.sendsteptime = 10;
    ASSERT_TRUE(QueueGreeting(store.connection, "one", "shop", "hi"));
    ASSERT_TRUE(QueueGreeting(store.connection, "two", "shop", "hi"));
    StartSender();

    // The first job ends at 1.9 s: half a second to find its window, 1.4 s to send.
    ASSERT_TRUE(RunUntil(clock, [&] { return clock.Now().time_since_epoch() >= 3900ms; }));
    settings.sendsteptime = 4;
    ASSERT_TRUE(RunUntil(clock, [&] { return Opened().size() == 2; }));
    EXPECT_EQ(Opened()[1].second, 5900ms);
}

TEST_F(AutoSendMsgThreadTest, AStopIsNoticedWithinASecond) {
    struct Case {
        const char* name;
        bool withJob;
        Clock::Duration stopAt;
    };
    const Case cases[] = {{"resting between passes", false, 7s}, {"in the step pause", true, 4s}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::TempStore localStore;
        ManualClock localClock;
        ScriptedDesktop localDesktop;
        MessengerAutomation automation(
            localDesktop, localClock, settings, [&](const std::string& url) {
                const fake::ChatParties p = *fake::ParseChatUrl(url);
                localDesktop.AddChat(ScriptedDesktop::Layout::FrameRich, p.visitor, p.account);
            });
        if (c.withJob) {
            ASSERT_TRUE(QueueGreeting(localStore.connection, "v", "shop", "hi"));
        }
        CAutoSendMsgThread localSender(localStore.connection, settings, automation, localClock);
        std::thread running([&] { localSender.Run(); });

        ASSERT_TRUE(
            RunUntil(localClock, [&] { return localClock.Now().time_since_epoch() >= c.stopAt; }));
        const Clock::TimePoint stoppedAt = localClock.Now();
        localSender.RequestStop();
        localClock.AdvanceToNextDeadline();

        EXPECT_TRUE(localSender.WaitForEnd(10s));
        EXPECT_LE(localClock.Now() - stoppedAt, 1000ms);
        EXPECT_EQ(localClock.Sleepers(), 0u);
        running.join();
    }
}

TEST_F(AutoSendMsgThreadTest, TheControlStartsOneSenderAndStopEmptiesTheQueue) {
    GreetingSenderControl control(store.connection, settings, messenger, clock);
    EXPECT_FALSE(control.IsRunning());

    auto released = std::make_shared<int>(0);
    std::weak_ptr<int> watch = released;
    control.Start(std::move(released));
    control.Start();
    EXPECT_TRUE(control.IsRunning());
    ASSERT_TRUE(clock.WaitForSleepers(1));

    ASSERT_TRUE(QueueGreeting(store.connection, "v", "shop", "hi"));
    control.Stop();
    EXPECT_FALSE(control.IsRunning());
    EXPECT_TRUE(QueuedVisitors(store.connection).empty());

    // The sender ends at its next look at the flag and lets go of what it was given.
    clock.AdvanceToNextDeadline();
    for (int i = 0; i < 1000 && !watch.expired(); ++i) {
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_TRUE(watch.expired());
    EXPECT_EQ(clock.Sleepers(), 0u);
}

}  // namespace
}  // namespace corvane::greeting
