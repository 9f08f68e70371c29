#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <set>

namespace corvane {

// Every wait of a worker goes through a Clock, so tests can run threads in virtual time.
class Clock {
public:
    using Duration = std::chrono::milliseconds;
    using TimePoint = std::chrono::time_point<std::chrono::steady_clock, Duration>;

    virtual ~Clock() = default;
    // Monotonic time, for intervals.
    virtual TimePoint Now() const = 0;
    // Wall-clock time, for the date-times written into the store.
    virtual std::chrono::system_clock::time_point WallNow() const = 0;
    virtual void SleepFor(Duration duration) = 0;
};

class SystemClock final : public Clock {
public:
    TimePoint Now() const override;
    std::chrono::system_clock::time_point WallNow() const override;
    void SleepFor(Duration duration) override;

    // One instance serves the whole process.
    static SystemClock& Instance();
};

// Virtual time for tests: SleepFor blocks until the test advances the clock past the
// sleeper's deadline.
class ManualClock final : public Clock {
public:
    explicit ManualClock(
        std::chrono::system_clock::time_point wallStart = std::chrono::system_clock::time_point{});

    TimePoint Now() const override;
    std::chrono::system_clock::time_point WallNow() const override;
    void SleepFor(Duration duration) override;

    // Moves time forward and wakes every sleeper whose deadline has come.
    void Advance(Duration duration);
    // Number of threads blocked in SleepFor right now.
    std::size_t Sleepers() const;
    // Blocks (in real time, at most `realTimeout`) until at least `count` threads sleep.
    bool WaitForSleepers(std::size_t count,
                         std::chrono::milliseconds realTimeout = std::chrono::seconds(10)) const;
    // Advances to the earliest pending deadline; false when nobody sleeps.
    bool AdvanceToNextDeadline();

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    Duration elapsed_{0};
    std::chrono::system_clock::time_point wallStart_;
    std::multiset<TimePoint> deadlines_;
};

}  // namespace corvane
