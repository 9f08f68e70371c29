#pragma once

#include <memory>
#include <mutex>

#include "accounts/SystemSettings.h"
#include "greeting/AutoSendMsgThread.h"
#include "platform/Clock.h"

namespace corvane::store {
class CAdoConnection;
}

namespace corvane::greeting {

class MessengerAutomation;

// The one reference to the running greeting sender, shared by the settings page (start and
// stop) and the visitor intake (which queues greetings only while a sender runs). Safe to
// use from any thread.
class GreetingSenderControl {
public:
    GreetingSenderControl(store::CAdoConnection& connection,
                          const accounts::SystemSettings& settings, MessengerAutomation& messenger,
                          Clock& clock);
    // Raises the running sender's stop flag; the sender ends on its own.
    ~GreetingSenderControl();
    GreetingSenderControl(const GreetingSenderControl&) = delete;
    GreetingSenderControl& operator=(const GreetingSenderControl&) = delete;

    // Starts a sender unless one runs; `keepAlive` is held by its thread until it ends.
    void Start(std::shared_ptr<void> keepAlive = {});
    // Asks the sender to end, forgets it and empties the queue at once; a job being sent
    // is finished by the ending sender.
    void Stop();
    bool IsRunning() const;

private:
    store::CAdoConnection& connection_;
    const accounts::SystemSettings& settings_;
    MessengerAutomation& messenger_;
    Clock& clock_;
    mutable std::mutex mutex_;
    std::shared_ptr<CAutoSendMsgThread> sender_;
};

}  // namespace corvane::greeting
