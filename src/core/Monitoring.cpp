#include "core/Monitoring.h"

#include <utility>

#include "core/MonitorClientThread.h"

namespace corvane {

Monitoring::Monitoring(StartMonitor startMonitor, StartOnlineStatus startOnlineStatus)
    : startMonitor_(std::move(startMonitor)), startOnlineStatus_(std::move(startOnlineStatus)) {}

Monitoring::~Monitoring() {
    Stop();
}

void Monitoring::Start() {
    std::lock_guard lock(mutex_);
    if (monitor_) {
        return;
    }
    monitor_ = startMonitor_();
    if (startOnlineStatus_) {
        stopOnlineStatus_ = startOnlineStatus_();
    }
}

void Monitoring::Stop() {
    std::lock_guard lock(mutex_);
    if (monitor_) {
        monitor_->RequestStop();
        monitor_.reset();
    }
    if (stopOnlineStatus_) {
        stopOnlineStatus_();
        stopOnlineStatus_ = nullptr;
    }
}

bool Monitoring::IsRunning() const {
    std::lock_guard lock(mutex_);
    return monitor_ != nullptr;
}

}  // namespace corvane
