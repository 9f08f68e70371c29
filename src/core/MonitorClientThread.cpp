#include "core/MonitorClientThread.h"

#include <thread>
#include <utility>

#include "accounts/SystemSettings.h"
#include "platform/Clock.h"

namespace corvane {
namespace {

using namespace std::chrono_literals;

constexpr int kPauseAfterPollSeconds = 5;

}  // namespace

CMonitorClientThread::CMonitorClientThread(Clock& clock, const accounts::SystemSettings& settings,
                                           Work work)
    : clock_(clock), settings_(settings), work_(std::move(work)) {}

std::shared_ptr<CMonitorClientThread> CMonitorClientThread::Start(
    Clock& clock, const accounts::SystemSettings& settings, Work work,
    WorkerRegistry::Ticket ticket) {
    auto monitor = std::make_shared<CMonitorClientThread>(clock, settings, std::move(work));
    std::thread([monitor, ticket = std::move(ticket)] { monitor->Run(); }).detach();
    return monitor;
}

bool CMonitorClientThread::SleepOneSecondUnlessStopped() {
    if (stopFlag_.load() != 0) {
        return false;
    }
    clock_.SleepFor(1000ms);
    return true;
}

void CMonitorClientThread::Run() {
    // Give start-up (or the restart that follows an account change) a moment to settle.
    clock_.SleepFor(1000ms);
    accounts_ = work_.loadAccounts();
    while (stopFlag_.load() == 0) {
        for (const accounts::_CUserInfo& account : accounts_) {
            work_.pollAccount(account);
            for (int second = 0; second < kPauseAfterPollSeconds; ++second) {
                if (!SleepOneSecondUnlessStopped()) {
                    ended_ = true;
                    return;
                }
            }
        }
        for (int waited = 0; waited < settings_.reflashtime.load(); ++waited) {
            if (!SleepOneSecondUnlessStopped()) {
                ended_ = true;
                return;
            }
        }
    }
    ended_ = true;
}

}  // namespace corvane
