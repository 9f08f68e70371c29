#include "core/WorkerRegistry.h"

namespace corvane {

WorkerRegistry::Ticket& WorkerRegistry::Ticket::operator=(Ticket&& other) noexcept {
    if (this != &other) {
        Release();
        registry_ = other.registry_;
        other.registry_ = nullptr;
    }
    return *this;
}

void WorkerRegistry::Ticket::Release() {
    if (registry_ != nullptr) {
        registry_->Leave();
        registry_ = nullptr;
    }
}

WorkerRegistry::Ticket WorkerRegistry::Enter() {
    std::lock_guard lock(mutex_);
    ++running_;
    return Ticket(this);
}

std::size_t WorkerRegistry::Running() const {
    std::lock_guard lock(mutex_);
    return running_;
}

void WorkerRegistry::Leave() {
    std::lock_guard lock(mutex_);
    --running_;
    allDone_.notify_all();
}

bool WorkerRegistry::WaitForAll(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return allDone_.wait_for(lock, timeout, [this] { return running_ == 0; });
}

}  // namespace corvane
