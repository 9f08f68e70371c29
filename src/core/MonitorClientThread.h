#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include "accounts/UserInfo.h"
#include "core/WorkerRegistry.h"

namespace corvane {

class Clock;
namespace accounts {
struct SystemSettings;
}

// The worker that keeps the client watching: it loads and confirms the accounts once, then
// polls each in turn with a five-second pause after each, waits `reflashtime` seconds
// (read again every second) and starts over, until asked to stop. Every wait is made of
// one-second sleeps on the clock, so a stop is noticed within a second; a poll in progress
// runs to its end first.
class CMonitorClientThread {
public:
    struct Work {
        // Runs on the thread at its start; the accounts to poll for the thread's life.
        std::function<std::vector<accounts::_CUserInfo>()> loadAccounts;
        std::function<void(const accounts::_CUserInfo&)> pollAccount;
    };

    CMonitorClientThread(Clock& clock, const accounts::SystemSettings& settings, Work work);

    // Runs the loop on a new detached thread that holds `ticket` until it ends. The
    // returned object stays alive while the thread runs.
    static std::shared_ptr<CMonitorClientThread> Start(Clock& clock,
                                                       const accounts::SystemSettings& settings,
                                                       Work work, WorkerRegistry::Ticket ticket);

    void RequestStop() { stopFlag_.store(1); }
    bool Ended() const { return ended_.load(); }

    // The loop itself, on the calling thread; returns when the stop is noticed.
    void Run();

private:
    // Sleeps one second unless a stop is already asked for; false means end.
    bool SleepOneSecondUnlessStopped();

    Clock& clock_;
    const accounts::SystemSettings& settings_;
    Work work_;
    std::vector<accounts::_CUserInfo> accounts_;
    std::atomic<int> stopFlag_{0};
    std::atomic<bool> ended_{false};
};

}  // namespace corvane
