#pragma once

#include <functional>
#include <optional>
#include <string>

#include "core/FeedRecord.h"

namespace corvane {

class Clock;
class UserNotifier;
class VisitorListBridge;
namespace accounts {
struct SystemSettings;
}
namespace store {
class CAdoConnection;
}

// Turns the visitor feed into stored visits, greeting jobs and alerts, one account at a
// time. Runs on the monitor thread; reaches the UI only through the notifier and the
// visitor-list bridge.
class VisitIntake {
public:
    struct Services {
        // The feed's record for a web id, or nullopt (three failed requests, no valid record).
        std::function<std::optional<FeedRecord>(const std::string& webId)> fetchVisit;
        // The visitor's location for an IP text.
        std::function<std::string(const std::string& ip)> locate;
        // The product page's cleaned title, or "<NULL>".
        std::function<std::string(const std::string& pageAddress)> pageTitle;
    };

    // `greetingSenderRunning` answers whether a greeting sender runs: jobs are queued only then.
    VisitIntake(store::CAdoConnection& connection, const accounts::SystemSettings& settings,
                std::function<bool()> greetingSenderRunning, Clock& clock, UserNotifier& notifier,
                VisitorListBridge& visitorList, Services services);

    // Asks the feed for a visit of the account and stores, greets and alerts a visitor new
    // to that account; shows the outcome in the status bar.
    void PollAccount(const std::string& webId, const std::string& accountName,
                     const std::string& greetingTemplate, bool greet);

private:
    // Stores the visitor and queues the greeting, as one step against other monitors and
    // other clients on the same file. True when the visitor was new.
    bool StoreIfNew(const FeedRecord& visit, const std::string& accountName,
                    const std::string& location, const std::string& storedAt,
                    const std::string& greetingTemplate, bool greet);
    std::string LocalTimeText() const;

    store::CAdoConnection& connection_;
    const accounts::SystemSettings& settings_;
    std::function<bool()> greetingSenderRunning_;
    Clock& clock_;
    UserNotifier& notifier_;
    VisitorListBridge& visitorList_;
    Services services_;
};

inline constexpr const char* kUnknownLocation = "未知区域";

}  // namespace corvane
