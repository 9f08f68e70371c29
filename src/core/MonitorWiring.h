#pragma once

#include <memory>

#include "core/VisitIntake.h"

namespace corvane {

struct AppContext;
class CMonitorClientThread;
class UserNotifier;
class VisitorListBridge;

// The intake's real services: the visitor feed, the IP database and the page titles, all
// giving up early once exit has asked the workers to stop.
VisitIntake::Services RealIntakeServices(AppContext& context);

// Starts a monitor thread that loads and confirms the stored accounts and polls them with
// the real services.
std::shared_ptr<CMonitorClientThread> StartMonitorThread(AppContext& context,
                                                         UserNotifier& notifier,
                                                         VisitorListBridge& visitorList);

}  // namespace corvane
