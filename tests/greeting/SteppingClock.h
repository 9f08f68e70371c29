#pragma once

#include <functional>

#include "platform/Clock.h"

namespace corvane::testing {

// Virtual time for code that runs on the test's own thread: a sleep moves time forward at
// once and then runs `afterSleep`, so a test can change the world at a chosen moment.
class SteppingClock final : public Clock {
public:
    TimePoint Now() const override { return TimePoint(elapsed_); }
    std::chrono::system_clock::time_point WallNow() const override {
        return std::chrono::system_clock::time_point(elapsed_);
    }
    void SleepFor(Duration duration) override {
        elapsed_ += duration;
        ++sleeps_;
        if (afterSleep) {
            afterSleep();
        }
    }

    Duration Elapsed() const { return elapsed_; }
    int Sleeps() const { return sleeps_; }

    std::function<void()> afterSleep;

private:
    Duration elapsed_{0};
    int sleeps_ = 0;
};

}  // namespace corvane::testing
