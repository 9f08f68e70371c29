#pragma once

#include <filesystem>

#include "support/QqwryFixture.h"

namespace corvane::testing {

// The location the loopback range reads as in the file WriteLoopbackIpDatabase writes.
inline constexpr const char* kLoopbackLocation = "本机 回环";

// A small QQWry.Dat that knows 127.0.0.0/8 (and one other range, since the reader needs two).
inline void WriteLoopbackIpDatabase(const std::filesystem::path& path) {
    QqwryFixture file;
    file.AddRange(Ipv4(127, 0, 0, 0), Ipv4(127, 255, 255, 255), 1, Gbk("本机"), Gbk("回环"));
    file.AddRange(Ipv4(200, 0, 0, 0), Ipv4(200, 0, 0, 255), 1, "x", "y");
    WriteFileBytes(path, file.Build());
}

}  // namespace corvane::testing
