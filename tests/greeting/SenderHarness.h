#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "store/AdoConnection.h"
#include "store/AdoRecordSet.h"
#include "store/Statements.h"

namespace corvane::testing {

// Lets the sender thread run in virtual time: while it sleeps, `done` is asked; when it is
// not yet true, time moves to the sender's wake-up. False when the sender stopped sleeping
// (it ended or hangs) or virtual time passed `limit` first.
inline bool RunUntil(ManualClock& clock, const std::function<bool()>& done,
                     Clock::Duration limit = std::chrono::hours(1)) {
    const Clock::TimePoint end = clock.Now() + limit;
    while (clock.Now() <= end) {
        if (!clock.WaitForSleepers(1)) {
            return false;
        }
        if (done()) {
            return true;
        }
        clock.AdvanceToNextDeadline();
    }
    return false;
}

inline bool QueueGreeting(store::CAdoConnection& connection, const std::string& visitor,
                          const std::string& account, const std::string& message) {
    return connection.Execute(store::sql::kInsertGreetingJob, {visitor, account, message});
}

inline std::vector<std::string> QueuedVisitors(store::CAdoConnection& connection) {
    std::vector<std::string> visitors;
    store::CAdoRecordSet rows(&connection);
    if (rows.Open(store::sql::kSelectGreetingJobs)) {
        for (; !rows.IsEOF(); rows.MoveNext()) {
            std::string visitor;
            rows.GetFieldText(0, visitor);
            visitors.push_back(visitor);
        }
    }
    return visitors;
}

}  // namespace corvane::testing
