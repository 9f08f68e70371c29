#include <pthread.h>
#include <signal.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "accounts/SettingsStore.h"
#include "app/cli/Commands.h"
#include "app/cli/ConsoleNotifier.h"
#include "core/AppContext.h"
#include "core/MonitorClientThread.h"
#include "core/MonitorWiring.h"
#include "core/Monitoring.h"
#include "core/StoreStartup.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "store/AdoConnection.h"

namespace corvane::cli {
namespace {

// A stop must end the command within a second; the monitor notices within one.
constexpr std::chrono::milliseconds kWorkerExitWait{800};

}  // namespace

int RunMonitor(int argc, char** argv) {
    std::filesystem::path ipDatabase;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--qqwry") == 0 && i + 1 < argc) {
            ipDatabase = argv[++i];
        } else {
            std::fprintf(stderr, "usage: corvane-cli monitor [--qqwry FILE]\n");
            return 2;
        }
    }
    // The stop signals are taken by this thread alone, with sigwait; workers never see them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    const std::filesystem::path dataDirectory = paths::DataDirectory();
    const std::filesystem::path databasePath = paths::DatabasePath(dataDirectory);
    store::CAdoConnection connection;
    if (!PrepareStore(connection, databasePath)) {
        std::fprintf(stderr, "corvane-cli: cannot open the store %s\n", databasePath.c_str());
        return 1;
    }
    AppContext context(connection, SystemClock::Instance());
    accounts::LoadSystemSettings(connection, context.settings);
    if (ipDatabase.empty()) {
        ipDatabase = paths::IpDatabasePath(dataDirectory);
    }
    if (!context.ipDatabase.Open(ipDatabase)) {
        std::fprintf(stderr, "corvane-cli: no IP database at %s; locations read as unknown\n",
                     ipDatabase.c_str());
    }

    ConsoleNotifier console;
    Monitoring monitoring([&] { return StartMonitorThread(context, console, console); });
    std::printf("monitoring: store %s, service %s, every %d s\n", databasePath.c_str(),
                context.endpoints.Hosts().tracking.c_str(), context.settings.reflashtime.load());
    std::fflush(stdout);
    monitoring.Start();

    int received = 0;
    sigwait(&stopSignals, &received);
    monitoring.Stop();
    context.workers.RequestStop();
    context.workers.WaitForAll(kWorkerExitWait);
    connection.Close();
    std::printf("stopped\n");
    std::fflush(stdout);
    return 0;
}

}  // namespace corvane::cli
