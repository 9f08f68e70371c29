#include <csignal>
#include <cstdio>

#include <atomic>
#include <chrono>
#include <thread>

#include "app/cli/Commands.h"
#include "core/StoreStartup.h"
#include "platform/Paths.h"
#include "store/AdoConnection.h"

namespace corvane::cli {
namespace {

std::atomic<bool> g_stopRequested{false};

extern "C" void OnStopSignal(int) {
    g_stopRequested.store(true);
}

}  // namespace

int RunMonitor(int /*argc*/, char** /*argv*/) {
    std::signal(SIGINT, OnStopSignal);
    std::signal(SIGTERM, OnStopSignal);
    const auto databasePath = paths::DatabasePath(paths::DataDirectory());
    store::CAdoConnection connection;
    if (!PrepareStore(connection, databasePath)) {
        std::fprintf(stderr, "corvane-cli: cannot open the store %s\n", databasePath.c_str());
        return 1;
    }
    std::printf("store: %s\n", databasePath.c_str());
    std::fflush(stdout);
    while (!g_stopRequested.load()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    connection.Close();
    return 0;
}

}  // namespace corvane::cli
