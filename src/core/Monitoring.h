#pragma once

#include <functional>
#include <memory>
#include <mutex>

namespace corvane {

class CMonitorClientThread;

// Starts and stops the monitor thread together with the online-status thread. Stopping
// raises both stop flags and forgets the threads at once; it never waits for them, since a
// poll may be blocked on the UI thread that calls Stop.
class Monitoring {
public:
    using StartMonitor = std::function<std::shared_ptr<CMonitorClientThread>()>;
    // Starts the online-status thread and answers how to ask it to stop.
    using StartOnlineStatus = std::function<std::function<void()>()>;

    explicit Monitoring(StartMonitor startMonitor, StartOnlineStatus startOnlineStatus = {});
    ~Monitoring();
    Monitoring(const Monitoring&) = delete;
    Monitoring& operator=(const Monitoring&) = delete;

    // Starts only when no monitor thread is recorded.
    void Start();
    void Stop();
    bool IsRunning() const;

private:
    StartMonitor startMonitor_;
    StartOnlineStatus startOnlineStatus_;
    mutable std::mutex mutex_;
    std::shared_ptr<CMonitorClientThread> monitor_;
    std::function<void()> stopOnlineStatus_;
};

}  // namespace corvane
