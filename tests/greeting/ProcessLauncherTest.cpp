#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/ProcessLauncher.h"
#include "support/TempDir.h"

namespace corvane::platform {
namespace {

// The messenger URL reaches the desktop's opener as one argument, untouched by any shell.
TEST(OpenUrlWithDesktop, HandsTheUrlToXdgOpenAsOneArgument) {
    testing::TempDir dir;
    const std::filesystem::path received = dir / "received";
    const std::filesystem::path opener = dir / "xdg-open";
    {
        std::ofstream script(opener);
        script << "#!/bin/sh\nprintf '%s|%s' \"$#\" \"$1\" > '" << received.string()
               << ".part' && mv '" << received.string() << ".part' '" << received.string() << "'\n";
    }
    std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
    const std::string oldPath = getenv("PATH") != nullptr ? getenv("PATH") : "";
    setenv("PATH", (dir.path().string() + ":" + oldPath).c_str(), 1);

    OpenUrlWithDesktop("wangwang:SendIM?uid=a b;$(touch x)&suid=店");

    setenv("PATH", oldPath.c_str(), 1);
    // The opener runs in real time; this only bounds the wait for it.
    for (int i = 0; i < 1000 && !std::filesystem::exists(received); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    std::ifstream result(received);
    std::string line;
    std::getline(result, line);
    EXPECT_EQ(line, "1|wangwang:SendIM?uid=a b;$(touch x)&suid=店");
    EXPECT_FALSE(LaunchDetached({}));
    EXPECT_FALSE(LaunchDetached({(dir / "missing-program").string()}));
}

}  // namespace
}  // namespace corvane::platform
