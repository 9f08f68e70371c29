#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "accounts/SystemSettings.h"
#include "platform/Clock.h"

namespace corvane::store {
class CAdoConnection;
}

namespace corvane::greeting {

class MessengerAutomation;

// One queued greeting: an [AutoSend] row.
struct GreetingJob {
    std::string visitor;  // [ClientName]
    std::string account;  // [UserName]
    std::string message;  // [Message], the account's template, not yet expanded
};

// The greeting sender: empties the [AutoSend] queue in passes. A pass reads the queued
// rows, greets each visitor once through the messenger with a pause of `sendsteptime`
// seconds after every job, then deletes the rows it read; rows queued meanwhile wait for
// the next pass. Between passes it rests three seconds. The stop flag is looked at every
// second outside the messenger steps.
class CAutoSendMsgThread {
public:
    static constexpr Clock::Duration kTick{1000};
    static constexpr int kRestTicks = 3;

    CAutoSendMsgThread(store::CAdoConnection& connection, const accounts::SystemSettings& settings,
                       MessengerAutomation& messenger, Clock& clock);
    CAutoSendMsgThread(const CAutoSendMsgThread&) = delete;
    CAutoSendMsgThread& operator=(const CAutoSendMsgThread&) = delete;

    // Runs a new sender on a detached thread that shares the object and holds `keepAlive`
    // until it ends. The referenced parts must outlive the thread.
    static std::shared_ptr<CAutoSendMsgThread> Start(store::CAdoConnection& connection,
                                                     const accounts::SystemSettings& settings,
                                                     MessengerAutomation& messenger, Clock& clock,
                                                     std::shared_ptr<void> keepAlive = {});

    // The sender loop; returns once a stop has been noticed.
    void Run();

    void RequestStop() { stop_.store(true); }
    bool StopRequested() const { return stop_.load(); }
    bool HasEnded() const;
    // Blocks at most `realTimeout` (real time) for the loop to end.
    bool WaitForEnd(std::chrono::milliseconds realTimeout) const;

private:
    // One row as read: its key and its texts. A key freed by emptying the queue may be given
    // to a new row, so a row is deleted only while it still holds what was read.
    struct ReadRow {
        std::int64_t key = 0;
        GreetingJob job;
    };

    // Reads the queue: the jobs to send, and every row read.
    void ReadQueue(std::vector<GreetingJob>& jobs, std::vector<ReadRow>& readRows);
    void Greet(const GreetingJob& job);
    void DeleteRows(const std::vector<ReadRow>& rows);
    // Sleeps `ticks()` seconds, asking again every second; false when a stop came.
    template <typename TickCount>
    bool Rest(TickCount ticks);
    void MarkEnded();

    store::CAdoConnection& connection_;
    const accounts::SystemSettings& settings_;
    MessengerAutomation& messenger_;
    Clock& clock_;
    std::atomic<bool> stop_{false};

    mutable std::mutex endMutex_;
    mutable std::condition_variable endChanged_;
    bool ended_ = false;
};

}  // namespace corvane::greeting
