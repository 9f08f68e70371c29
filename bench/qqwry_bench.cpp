// IP lookups on generated QQWry.Dat files of growing size, from one thread: lookups per
// second, and what the process holds afterwards (heap in use, resident memory split into
// file-backed pages of the mapping and anonymous memory).

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "geo/SEU_QQwry.h"
#include "support/QqwryFixture.h"
#include "support/TempDir.h"

namespace {

using corvane::testing::Gbk;

// A file of `ranges` ranges spread over the whole address space with a gap after each, the
// records shaped as real files shape them: mostly redirects to shared strings.
std::string GenerateDatabase(int ranges) {
    std::vector<std::string> countries;
    std::vector<std::string> areas;
    for (int i = 0; i < 400; ++i) {
        countries.push_back(Gbk("省份" + std::to_string(i) + "市"));
    }
    for (int i = 0; i < 3000; ++i) {
        areas.push_back(Gbk("网络" + std::to_string(i)));
    }
    corvane::testing::QqwryFixture fixture;
    const std::uint32_t step =
        static_cast<std::uint32_t>(0x100000000ULL / static_cast<unsigned>(ranges));
    for (int i = 0; i < ranges; ++i) {
        const std::uint32_t start = static_cast<std::uint32_t>(i) * step;
        const int layout = i % 8 == 0 ? 8 : i % 8 == 1 ? 3 : 4;
        fixture.AddRange(start, start + step - step / 16, layout,
                         countries[static_cast<std::size_t>(i) % countries.size()],
                         areas[static_cast<std::size_t>(i * 7) % areas.size()]);
    }
    return fixture.Build();
}

const std::filesystem::path& DatabaseOf(int ranges) {
    static corvane::testing::TempDir dir;
    static std::map<int, std::filesystem::path> files;
    auto found = files.find(ranges);
    if (found == files.end()) {
        const auto path = dir / ("QQWry-" + std::to_string(ranges) + ".Dat");
        corvane::testing::WriteFileBytes(path, GenerateDatabase(ranges));
        found = files.emplace(ranges, path).first;
    }
    return found->second;
}

const std::vector<std::string>& RandomAddresses() {
    static const std::vector<std::string> addresses = [] {
        std::mt19937 random(20100101);
        std::vector<std::string> texts;
        for (int i = 0; i < 65536; ++i) {
            const std::uint32_t a = random();
            texts.push_back(std::to_string(a >> 24) + '.' + std::to_string(a >> 16 & 0xFF) + '.' +
                            std::to_string(a >> 8 & 0xFF) + '.' + std::to_string(a & 0xFF));
        }
        return texts;
    }();
    return addresses;
}

double StatusKib(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0) {
            return std::stod(line.substr(std::string(field).size()));
        }
    }
    return 0;
}

void BM_Lookup(benchmark::State& state) {
    const auto ranges = static_cast<int>(state.range(0));
    const auto& path = DatabaseOf(ranges);
    const auto& addresses = RandomAddresses();
    malloc_trim(0);
    const std::size_t heapBefore = mallinfo2().uordblks;
    auto reader = std::make_unique<corvane::geo::SEU_QQwry>();
    if (!reader->Open(path)) {
        state.SkipWithError("cannot open the generated file");
        return;
    }
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(reader->Lookup(addresses[next]));
        next = (next + 1) % addresses.size();
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["file_MiB"] = static_cast<double>(std::filesystem::file_size(path)) / 1048576;
    state.counters["heap_growth_B"] =
        static_cast<double>(mallinfo2().uordblks) - static_cast<double>(heapBefore);
    state.counters["heap_in_use_KiB"] = static_cast<double>(mallinfo2().uordblks) / 1024;
    state.counters["rss_MiB"] = StatusKib("VmRSS:") / 1024;
    state.counters["rss_file_MiB"] = StatusKib("RssFile:") / 1024;
    state.counters["rss_anon_MiB"] = StatusKib("RssAnon:") / 1024;
}
BENCHMARK(BM_Lookup)->Arg(125'000)->Arg(500'000)->Arg(1'000'000);

}  // namespace

BENCHMARK_MAIN();
