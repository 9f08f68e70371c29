// The store under a large visit table: storing a new visitor (duplicate test plus insert,
// as one step) and reading the 30 newest visits.

#include <benchmark/benchmark.h>

#include <cstdio>

#include "store/AdoRecordSet.h"
#include "store/Database.h"
#include "store/Statements.h"
#include "store/StoreTransaction.h"
#include "support/TempStore.h"

namespace {

using corvane::store::CAdoRecordSet;
using corvane::store::StoreTransaction;
namespace sql = corvane::store::sql;

constexpr int kStoredVisits = 1'000'000;

std::string TimeOf(int second) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "2010-%02d-%02d %02d:%02d:%02d", second / 2592000 % 12 + 1,
                  second / 86400 % 28 + 1, second / 3600 % 24, second / 60 % 60, second % 60);
    return buffer;
}

corvane::store::SqlParams VisitOf(const std::string& guest, int second) {
    return {guest,
            std::string("61.135.169.121"),
            std::string("shop") + std::to_string(second % 7),
            TimeOf(second),
            std::int64_t{1},
            std::string("北京市 电信"),
            std::string("http://item.taobao.com/item.htm?id=") + std::to_string(second),
            TimeOf(second)};
}

// Filled once; destroyed at exit, which removes the file.
struct FilledStore : corvane::testing::TempStore {
    FilledStore() {
        StoreTransaction transaction(connection);
        for (int i = 0; i < kStoredVisits; ++i) {
            ExecuteSql(connection, sql::kInsertVisitor, VisitOf("visitor" + std::to_string(i), i));
        }
        transaction.Commit();
    }
};

corvane::testing::TempStore& TheStore() {
    static FilledStore store;
    return store;
}

void BM_StoreNewVisitor(benchmark::State& state) {
    auto& store = TheStore();
    int next = 0;
    for (auto _ : state) {
        const std::string guest = "new-visitor" + std::to_string(next++);
        StoreTransaction transaction(store.connection);
        CAdoRecordSet known(&store.connection);
        known.Open(sql::kFindVisitor, {guest, std::string("shop1")});
        if (known.IsEOF()) {
            known.Close();
            ExecuteSql(store.connection, sql::kInsertVisitor, VisitOf(guest, next));
        }
        transaction.Commit();
    }
}
BENCHMARK(BM_StoreNewVisitor)->Unit(benchmark::kMicrosecond);

void BM_KnownVisitorTest(benchmark::State& state) {
    auto& store = TheStore();
    int next = 0;
    for (auto _ : state) {
        CAdoRecordSet known(&store.connection);
        known.Open(sql::kFindVisitor, {"visitor" + std::to_string(next++ * 7919 % kStoredVisits),
                                       std::string("shop1")});
        benchmark::DoNotOptimize(known.IsEOF());
    }
}
BENCHMARK(BM_KnownVisitorTest)->Unit(benchmark::kMicrosecond);

void BM_NewestThirtyVisits(benchmark::State& state) {
    auto& store = TheStore();
    for (auto _ : state) {
        CAdoRecordSet rows(&store.connection);
        rows.Open(sql::kSelectVisitsNewestFirst);
        std::string text;
        for (int row = 0; row < 30 && !rows.IsEOF(); ++row, rows.MoveNext()) {
            for (int column = 0; column < 9; ++column) {
                rows.GetFieldText(column, text);
            }
        }
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_NewestThirtyVisits)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
