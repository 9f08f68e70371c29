// One poll of an account against corvane-trackd on loopback, with 1,000,000 visits stored,
// and its parts on their own: the feed request, the IP lookup, the page title and the store
// step (duplicate test, insert, greeting test and queue).

#include <benchmark/benchmark.h>

#include "core/AppContext.h"
#include "core/FetchVisit.h"
#include "core/MonitorWiring.h"
#include "core/UserNotifier.h"
#include "core/VisitIntake.h"
#include "platform/Clock.h"
#include "services/PageTitle.h"
#include "store/Database.h"
#include "store/Statements.h"
#include "store/StoreTransaction.h"
#include "support/QqwryFixture.h"
#include "support/TempStore.h"
#include "support/TrackdProcess.h"

namespace {

using namespace corvane;

constexpr int kStoredVisits = 1'000'000;
constexpr int kIpRanges = 200'000;

struct SilentFace : UserNotifier, VisitorListBridge {
    void AlertUser(const std::string&) override {}
    void ShowStatusMessage(const std::string&) override {}
    void VisitorsChanged() override {}
    void OnlineStatusChanged() override {}
};

// The store, the service and the IP database, made once for all benchmarks.
struct World {
    World()
        : trackd(store.dir / "trackd.db"),
          context(store.connection, clock,
                  net::ServiceEndpoints(net::ResolveServiceHosts({}, trackd.address().c_str()))) {
        webId = trackd.AddAccount("shop", "pw");
        page = trackd.Url("/item.htm?id=6");
        FillStore();
        WriteIpDatabase();
        context.settings.clienttip = 1;
        context.greetingSenderRunning = [] { return true; };
    }

    void FillStore() {
        store::StoreTransaction transaction(store.connection);
        for (int i = 0; i < kStoredVisits; ++i) {
            store::ExecuteSql(store.connection, store::sql::kInsertVisitor,
                              {"visitor" + std::to_string(i), std::string("61.135.169.121"),
                               std::string("shop") + std::to_string(i % 5),
                               std::string("2010-06-03 14:05:09"), std::int64_t{1},
                               std::string("北京市 电信"), std::string("http://item/1"),
                               std::string("2010-06-03 14:05:09")});
        }
        transaction.Commit();
    }

    void WriteIpDatabase() {
        corvane::testing::QqwryFixture file;
        const std::uint32_t step = static_cast<std::uint32_t>(0x100000000ULL / kIpRanges);
        for (std::uint32_t i = 0; i < kIpRanges; ++i) {
            file.AddRange(i * step, i * step + step - 1, 1,
                          corvane::testing::Gbk("省份" + std::to_string(i % 300)),
                          corvane::testing::Gbk("网络" + std::to_string(i % 40)));
        }
        corvane::testing::WriteFileBytes(store.dir / "QQWry.Dat", file.Build());
        context.ipDatabase.Open(store.dir / "QQWry.Dat");
    }

    VisitIntake Intake(VisitIntake::Services services) {
        return VisitIntake(store.connection, context.settings, context.greetingSenderRunning,
                           clock, face, face, std::move(services));
    }

    corvane::testing::TempStore store;
    corvane::testing::TrackdProcess trackd;
    ManualClock clock{std::chrono::system_clock::now()};
    AppContext context;
    SilentFace face;
    std::string webId;
    std::string page;
    int nextVisitor = 0;
};

World& TheWorld() {
    // Destroyed at exit, which also ends the service process.
    static World world;
    return world;
}

void BM_PollAccountWhole(benchmark::State& state) {
    World& world = TheWorld();
    VisitIntake intake = world.Intake(RealIntakeServices(world.context));
    for (auto _ : state) {
        state.PauseTiming();
        world.trackd.Visit(world.webId, "new" + std::to_string(world.nextVisitor++), world.page);
        state.ResumeTiming();
        intake.PollAccount(world.webId, "shop", "hello [username]", true);
    }
}
BENCHMARK(BM_PollAccountWhole)->Unit(benchmark::kMicrosecond);

void BM_FeedRequest(benchmark::State& state) {
    World& world = TheWorld();
    for (auto _ : state) {
        state.PauseTiming();
        world.trackd.Visit(world.webId, "feed" + std::to_string(world.nextVisitor++), world.page);
        state.ResumeTiming();
        benchmark::DoNotOptimize(FetchVisit(world.context.endpoints, world.webId));
    }
}
BENCHMARK(BM_FeedRequest)->Unit(benchmark::kMicrosecond);

void BM_IpLookup(benchmark::State& state) {
    World& world = TheWorld();
    std::uint32_t address = 0x3D87A979;
    for (auto _ : state) {
        address = address * 1664525u + 1013904223u;
        benchmark::DoNotOptimize(world.context.ipDatabase.Lookup(
            std::to_string(address >> 24) + "." + std::to_string((address >> 16) & 255) + "." +
            std::to_string((address >> 8) & 255) + "." + std::to_string(address & 255)));
    }
}
BENCHMARK(BM_IpLookup)->Unit(benchmark::kMicrosecond);

void BM_PageTitle(benchmark::State& state) {
    World& world = TheWorld();
    for (auto _ : state) {
        benchmark::DoNotOptimize(services::GetPageTitle(world.page));
    }
}
BENCHMARK(BM_PageTitle)->Unit(benchmark::kMicrosecond);

void BM_StoreStep(benchmark::State& state) {
    World& world = TheWorld();
    FeedRecord visit{"61.135.169.121", world.page, "2010-06-03 14:05:09", ""};
    VisitIntake intake =
        world.Intake({[&visit](const std::string&) { return std::optional<FeedRecord>(visit); },
                      [](const std::string&) { return std::string("北京市 电信"); },
                      [](const std::string&) { return std::string("title"); }});
    for (auto _ : state) {
        visit.visitorName = "store" + std::to_string(world.nextVisitor++);
        intake.PollAccount(world.webId, "shop", "hello [username]", true);
    }
}
BENCHMARK(BM_StoreStep)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
