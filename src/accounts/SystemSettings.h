#pragma once

#include <atomic>

namespace corvane::accounts {

inline constexpr int kMinRefreshSeconds = 20;
inline constexpr int kMinSendStepSeconds = 5;

// The settings row in memory. Written by the UI thread, read by the workers at any time:
// each field is an atomic, so a reader sees the old value or the new one, never a torn one.
struct SystemSettings {
    std::atomic<int> autorun{0};
    std::atomic<int> clienttip{0};
    std::atomic<int> reflashtime{30};
    std::atomic<int> sendsteptime{6};
    std::atomic<int> wangwangedition{0};  // 0: the "2008/2009版" messenger; else "5.7版"
    std::atomic<int> guesttip{1};
    std::atomic<int> playsound{1};
};

}  // namespace corvane::accounts
