#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>

namespace corvane {

// Keeps count of running worker threads so that exit can raise the stop request and wait a
// bounded time for them before the store closes. Workers run detached; each holds a Ticket
// for as long as it may touch shared state.
class WorkerRegistry {
public:
    class Ticket {
    public:
        Ticket() = default;
        explicit Ticket(WorkerRegistry* registry) : registry_(registry) {}
        Ticket(Ticket&& other) noexcept : registry_(other.registry_) { other.registry_ = nullptr; }
        Ticket& operator=(Ticket&& other) noexcept;
        Ticket(const Ticket&) = delete;
        Ticket& operator=(const Ticket&) = delete;
        ~Ticket() { Release(); }

    private:
        void Release();
        WorkerRegistry* registry_ = nullptr;
    };

    // A worker calls this before it starts.
    Ticket Enter();
    std::size_t Running() const;

    // Asks every worker to end (they watch StopRequested at least once a second).
    void RequestStop() { stopRequested_.store(true); }
    bool StopRequested() const { return stopRequested_.load(); }
    // For work that can give up early (HTTP requests) once exit has begun.
    const std::atomic<bool>& StopFlag() const { return stopRequested_; }

    // True when every worker has ended within `timeout`.
    bool WaitForAll(std::chrono::milliseconds timeout);

private:
    void Leave();

    mutable std::mutex mutex_;
    std::condition_variable allDone_;
    std::size_t running_ = 0;
    std::atomic<bool> stopRequested_{false};
};

}  // namespace corvane
