#include "greeting/AutoSendMsgThread.h"

#include <algorithm>
#include <thread>

#include "greeting/MessengerAutomation.h"
#include "store/AdoConnection.h"
#include "store/AdoRecordSet.h"
#include "store/Statements.h"

namespace corvane::greeting {

CAutoSendMsgThread::CAutoSendMsgThread(store::CAdoConnection& connection,
                                       const accounts::SystemSettings& settings,
                                       MessengerAutomation& messenger, Clock& clock)
    : connection_(connection), settings_(settings), messenger_(messenger), clock_(clock) {}

std::shared_ptr<CAutoSendMsgThread> CAutoSendMsgThread::Start(
    store::CAdoConnection& connection, const accounts::SystemSettings& settings,
    MessengerAutomation& messenger, Clock& clock, std::shared_ptr<void> keepAlive) {
    auto sender = std::make_shared<CAutoSendMsgThread>(connection, settings, messenger, clock);
    std::thread([sender, keepAlive = std::move(keepAlive)] { sender->Run(); }).detach();
    return sender;
}

void CAutoSendMsgThread::Run() {
    while (!StopRequested()) {
        std::vector<GreetingJob> jobs;
        std::vector<ReadRow> readRows;
        ReadQueue(jobs, readRows);
        if (StopRequested()) {
            break;
        }
        bool stopped = false;
        for (const GreetingJob& job : jobs) {
            Greet(job);
            if (!Rest([this] { return settings_.sendsteptime.load(); })) {
                stopped = true;
                break;
            }
        }
        if (stopped) {
            break;
        }
        // A pass that took no job leaves the queue as it found it.
        if (!jobs.empty()) {
            DeleteRows(readRows);
        }
        if (!Rest([] { return kRestTicks; })) {
            break;
        }
    }
    MarkEnded();
}

void CAutoSendMsgThread::ReadQueue(std::vector<GreetingJob>& jobs, std::vector<ReadRow>& readRows) {
    store::CAdoRecordSet rows(&connection_);
    if (!rows.Open(store::sql::kSelectGreetingJobs)) {
        return;
    }
    for (; !rows.IsEOF(); rows.MoveNext()) {
        store::FieldValue key;
        GreetingJob job;
        if (!rows.GetFieldText(0, job.visitor) || !rows.GetFieldText(1, job.account) ||
            !rows.GetFieldText(2, job.message)) {
            continue;
        }
        if (rows.GetFieldValue(3, key) &&
            (key.type == store::VariantType::Int32 || key.type == store::VariantType::Int64)) {
            readRows.push_back({key.integer, job});
        }
        // Two accounts may queue the same visitor; one greeting is enough.
        const bool alreadyTaken =
            std::any_of(jobs.begin(), jobs.end(),
                        [&](const GreetingJob& taken) { return taken.visitor == job.visitor; });
        if (!alreadyTaken) {
            jobs.push_back(std::move(job));
        }
    }
}

void CAutoSendMsgThread::Greet(const GreetingJob& job) {
    if (job.visitor.empty() || job.account.empty() || job.message.empty()) {
        return;
    }
    if (messenger_.OpenChat(job.visitor, job.account)) {
        messenger_.SendGreeting(job.visitor, job.account, job.message);
    }
}

void CAutoSendMsgThread::DeleteRows(const std::vector<ReadRow>& rows) {
    // A row that cannot be deleted stays queued and is sent again in the next pass.
    for (const ReadRow& row : rows) {
        connection_.Execute(store::sql::kDeleteGreetingJob,
                            {row.key, row.job.visitor, row.job.account, row.job.message});
    }
}

template <typename TickCount>
bool CAutoSendMsgThread::Rest(TickCount ticks) {
    // The count is read again before every second, so a changed setting applies at once.
    for (int tick = 0; tick < ticks(); ++tick) {
        if (StopRequested()) {
            return false;
        }
        clock_.SleepFor(kTick);
    }
    return true;
}

void CAutoSendMsgThread::MarkEnded() {
    std::lock_guard lock(endMutex_);
    ended_ = true;
    endChanged_.notify_all();
}

bool CAutoSendMsgThread::HasEnded() const {
    std::lock_guard lock(endMutex_);
    return ended_;
}

bool CAutoSendMsgThread::WaitForEnd(std::chrono::milliseconds realTimeout) const {
    std::unique_lock lock(endMutex_);
    return endChanged_.wait_for(lock, realTimeout, [this] { return ended_; });
}

}  // namespace corvane::greeting
