#include "greeting/GreetingSenderControl.h"

#include "store/AdoConnection.h"
#include "store/Statements.h"

namespace corvane::greeting {

GreetingSenderControl::GreetingSenderControl(store::CAdoConnection& connection,
                                             const accounts::SystemSettings& settings,
                                             MessengerAutomation& messenger, Clock& clock)
    : connection_(connection), settings_(settings), messenger_(messenger), clock_(clock) {}

GreetingSenderControl::~GreetingSenderControl() {
    std::lock_guard lock(mutex_);
    if (sender_) {
        sender_->RequestStop();
    }
}

void GreetingSenderControl::Start(std::shared_ptr<void> keepAlive) {
    std::lock_guard lock(mutex_);
    if (sender_) {
        return;
    }
    sender_ =
        CAutoSendMsgThread::Start(connection_, settings_, messenger_, clock_, std::move(keepAlive));
}

void GreetingSenderControl::Stop() {
    std::shared_ptr<CAutoSendMsgThread> ending;
    {
        std::lock_guard lock(mutex_);
        ending = std::move(sender_);
        sender_.reset();
    }
    if (ending) {
        ending->RequestStop();
    }
    connection_.Execute(store::sql::kDeleteGreetingJobs);
}

bool GreetingSenderControl::IsRunning() const {
    std::lock_guard lock(mutex_);
    return sender_ != nullptr;
}

}  // namespace corvane::greeting
