#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "GeoTestSupport.h"

namespace corvane::geo {
namespace {

using testing::Ipv4;

TEST(QqwryConcurrency, OverlappingLookupsEachGetTheirOwnAnswer) {
    // A restarted monitor thread can look up while its predecessor still does.
    testing::QqwryFixture fixture;
    for (std::uint8_t i = 1; i <= 64; ++i) {
        fixture.AddRange(Ipv4(i, 0, 0, 0), Ipv4(i, 255, 255, 255), i % 9 == 0 ? 1 : i % 9,
                         "country" + std::to_string(i), "area" + std::to_string(i));
    }
    OpenedFixture opened(fixture.Build());
    ASSERT_TRUE(opened.opened);

    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int n = 0; n < 500; ++n) {
                const int i = 1 + (n * 7 + t * 13) % 64;
                const std::string expected =
                    "country" + std::to_string(i) + " area" + std::to_string(i);
                if (opened.reader.Lookup(std::to_string(i) + ".1.2.3") != expected) {
                    ++wrong;
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(wrong.load(), 0);
}

}  // namespace
}  // namespace corvane::geo
