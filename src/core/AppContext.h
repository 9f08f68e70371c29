#pragma once

#include <functional>

#include "accounts/SystemSettings.h"
#include "core/WorkerRegistry.h"
#include "geo/SEU_QQwry.h"
#include "net/ServiceEndpoints.h"
#include "net/WinHttpEx.h"

namespace corvane {

class Clock;
namespace store {
class CAdoConnection;
}

// What the workers share with the UI: the store, the live settings, the service addresses,
// the IP database, and the references to the running threads. One per process, passed to
// whoever needs it; it outlives every worker (exit waits for them, bounded).
struct AppContext {
    AppContext(store::CAdoConnection& storeConnection, Clock& workerClock,
               net::ServiceEndpoints serviceEndpoints = net::ServiceEndpoints())
        : connection(storeConnection), clock(workerClock), endpoints(std::move(serviceEndpoints)) {}

    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    store::CAdoConnection& connection;
    Clock& clock;
    accounts::SystemSettings settings;
    net::ServiceEndpoints endpoints;
    net::HttpLimits httpLimits;
    geo::SEU_QQwry ipDatabase;
    WorkerRegistry workers;
    // Whether a greeting sender runs; whoever starts the sender sets this.
    std::function<bool()> greetingSenderRunning = [] { return false; };
};

}  // namespace corvane
