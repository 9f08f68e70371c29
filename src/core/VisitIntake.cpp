#include "core/VisitIntake.h"

#include <cstdio>

#include "accounts/SystemSettings.h"
#include "core/UserNotifier.h"
#include "platform/Clock.h"
#include "platform/LocalTime.h"
#include "platform/TextCodec.h"
#include "store/AdoConnection.h"
#include "store/AdoRecordSet.h"
#include "store/Database.h"
#include "store/Statements.h"
#include "store/StoreTransaction.h"

namespace corvane {
namespace {

template <typename... Args>
std::string Format(const char* format, const Args&... args) {
    const int size = std::snprintf(nullptr, 0, format, args.c_str()...);
    std::string text(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    std::snprintf(text.data(), text.size() + 1, format, args.c_str()...);
    return text;
}

}  // namespace

VisitIntake::VisitIntake(store::CAdoConnection& connection,
                         const accounts::SystemSettings& settings,
                         std::function<bool()> greetingSenderRunning, Clock& clock,
                         UserNotifier& notifier, VisitorListBridge& visitorList, Services services)
    : connection_(connection),
      settings_(settings),
      greetingSenderRunning_(std::move(greetingSenderRunning)),
      clock_(clock),
      notifier_(notifier),
      visitorList_(visitorList),
      services_(std::move(services)) {}

std::string VisitIntake::LocalTimeText() const {
    return corvane::LocalTimeText(clock_.WallNow());
}

bool VisitIntake::StoreIfNew(const FeedRecord& visit, const std::string& accountName,
                             const std::string& location, const std::string& storedAt,
                             const std::string& greetingTemplate, bool greet) {
    store::StoreTransaction transaction(connection_);
    if (!transaction.Active()) {
        return false;
    }
    store::CAdoRecordSet known(&connection_);
    if (!known.Open(store::sql::kFindVisitor, {visit.visitorName, accountName}) || !known.IsEOF()) {
        return false;
    }
    known.Close();
    // From here the visitor is new, whether or not the insert goes through: it is still
    // alerted, and counts as new again at the next poll when nothing was stored.
    store::ExecuteSql(connection_, store::sql::kInsertVisitor,
                      {visit.visitorName, visit.visitorIp, accountName, storedAt, std::int64_t{1},
                       location, visit.pageAddress, visit.visitTime});
    if (greet && greetingSenderRunning_()) {
        store::CAdoRecordSet queued(&connection_);
        if (queued.Open(store::sql::kFindGreetingJob, {visit.visitorName, accountName}) &&
            queued.IsEOF()) {
            queued.Close();
            store::ExecuteSql(connection_, store::sql::kInsertGreetingJob,
                              {visit.visitorName, accountName, greetingTemplate});
        }
    }
    transaction.Commit();
    return true;
}

void VisitIntake::PollAccount(const std::string& webId, const std::string& accountName,
                              const std::string& greetingTemplate, bool greet) {
    notifier_.ShowStatusMessage(Format("正在刷新[%s]的店铺......", accountName));
    const std::optional<FeedRecord> visit = services_.fetchVisit(webId);
    if (!visit) {
        return;
    }
    std::string location = kUnknownLocation;
    if (text::Utf8Length(visit->visitorIp) > 5 && text::Utf8Length(visit->pageAddress) > 20) {
        location = services_.locate(visit->visitorIp);
    }
    const std::string storedAt = LocalTimeText();
    std::string status;
    if (StoreIfNew(*visit, accountName, location, storedAt, greetingTemplate, greet)) {
        if (settings_.clienttip.load() != 0) {
            const std::string title = services_.pageTitle(visit->pageAddress);
            notifier_.AlertUser(Format("新客户[%s]\r\n来自:%s\r\n访问[%s]的网店:%s",
                                       visit->visitorName, location, accountName, title));
        }
        visitorList_.VisitorsChanged();
        status = Format("顾客[%s]在 %s 访问了[%s]的网店!", visit->visitorName, visit->visitTime,
                        accountName);
    } else {
        status = Format("%s [%s]的网店无新登陆客户!", storedAt, accountName);
    }
    notifier_.ShowStatusMessage(status);
}

}  // namespace corvane
