#include "core/MonitorWiring.h"

#include "accounts/AccountLoader.h"
#include "accounts/WebIdRequest.h"
#include "core/AppContext.h"
#include "core/FetchVisit.h"
#include "core/MonitorClientThread.h"
#include "services/PageTitle.h"

namespace corvane {

VisitIntake::Services RealIntakeServices(AppContext& context) {
    const std::atomic<bool>* cancel = &context.workers.StopFlag();
    return {
        [&context, cancel](const std::string& webId) {
            return FetchVisit(context.endpoints, webId, context.httpLimits, cancel);
        },
        [&context](const std::string& ip) { return context.ipDatabase.Lookup(ip); },
        [&context, cancel](const std::string& pageAddress) {
            return services::GetPageTitle(pageAddress, context.httpLimits, cancel);
        },
    };
}

std::shared_ptr<CMonitorClientThread> StartMonitorThread(AppContext& context,
                                                         UserNotifier& notifier,
                                                         VisitorListBridge& visitorList) {
    auto intake = std::make_shared<VisitIntake>(context.connection, context.settings,
                                                context.greetingSenderRunning, context.clock,
                                                notifier, visitorList, RealIntakeServices(context));
    CMonitorClientThread::Work work{
        [&context] {
            return accounts::LoadAccounts(
                context.connection, [&context](const std::string& name, const std::string& pw) {
                    return accounts::GetWebID(context.endpoints, name, pw, context.httpLimits,
                                              &context.workers.StopFlag());
                });
        },
        [intake](const accounts::_CUserInfo& account) {
            intake->PollAccount(account.webid, account.username, account.messageinfo,
                                account.GreetsAutomatically());
        }};
    return CMonitorClientThread::Start(context.clock, context.settings, std::move(work),
                                       context.workers.Enter());
}

}  // namespace corvane
