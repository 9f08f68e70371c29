#include <gtest/gtest.h>

#include <thread>

#include "core/WorkerRegistry.h"

namespace corvane {
namespace {

using namespace std::chrono_literals;

TEST(WorkerRegistryTest, ExitWaitsForWorkersThatNoticeTheStop) {
    WorkerRegistry registry;
    for (int i = 0; i < 3; ++i) {
        std::thread([ticket = registry.Enter(), &registry]() mutable {
            while (!registry.StopRequested()) {
                std::this_thread::yield();
            }
            ticket = WorkerRegistry::Ticket();
        }).detach();
    }
    EXPECT_EQ(registry.Running(), 3u);
    registry.RequestStop();
    EXPECT_TRUE(registry.WaitForAll(10s));
    EXPECT_EQ(registry.Running(), 0u);
}

TEST(WorkerRegistryTest, WaitIsBoundedWhenAWorkerHangs) {
    WorkerRegistry registry;
    auto hanging = std::make_unique<WorkerRegistry::Ticket>(registry.Enter());
    registry.RequestStop();
    EXPECT_FALSE(registry.WaitForAll(10ms));
    hanging.reset();
    EXPECT_TRUE(registry.WaitForAll(0ms));
}

}  // namespace
}  // namespace corvane
