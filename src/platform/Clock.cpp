#include "platform/Clock.h"

#include <thread>

namespace corvane {

Clock::TimePoint SystemClock::Now() const {
    return std::chrono::time_point_cast<Duration>(std::chrono::steady_clock::now());
}

std::chrono::system_clock::time_point SystemClock::WallNow() const {
    return std::chrono::system_clock::now();
}

void SystemClock::SleepFor(Duration duration) {
    std::this_thread::sleep_for(duration);
}

SystemClock& SystemClock::Instance() {
    static SystemClock clock;
    return clock;
}

ManualClock::ManualClock(std::chrono::system_clock::time_point wallStart) : wallStart_(wallStart) {}

Clock::TimePoint ManualClock::Now() const {
    std::lock_guard lock(mutex_);
    return TimePoint(elapsed_);
}

std::chrono::system_clock::time_point ManualClock::WallNow() const {
    std::lock_guard lock(mutex_);
    return wallStart_ + elapsed_;
}

void ManualClock::SleepFor(Duration duration) {
    std::unique_lock lock(mutex_);
    const TimePoint deadline = TimePoint(elapsed_) + duration;
    auto entry = deadlines_.insert(deadline);
    changed_.notify_all();
    changed_.wait(lock, [&] { return TimePoint(elapsed_) >= deadline; });
    deadlines_.erase(entry);
    changed_.notify_all();
}

void ManualClock::Advance(Duration duration) {
    std::lock_guard lock(mutex_);
    elapsed_ += duration;
    changed_.notify_all();
}

std::size_t ManualClock::Sleepers() const {
    std::lock_guard lock(mutex_);
    return deadlines_.size();
}

bool ManualClock::WaitForSleepers(std::size_t count, std::chrono::milliseconds realTimeout) const {
    std::unique_lock lock(mutex_);
    // A woken sleeper leaves the set only once it runs again, so count those still due.
    return changed_.wait_for(lock, realTimeout, [&] {
        std::size_t pending = 0;
        for (const TimePoint& deadline : deadlines_) {
            if (deadline > TimePoint(elapsed_)) {
                ++pending;
            }
        }
        return pending >= count;
    });
}

bool ManualClock::AdvanceToNextDeadline() {
    std::lock_guard lock(mutex_);
    for (const TimePoint& deadline : deadlines_) {
        if (deadline > TimePoint(elapsed_)) {
            elapsed_ = deadline.time_since_epoch();
            changed_.notify_all();
            return true;
        }
    }
    return false;
}

}  // namespace corvane
