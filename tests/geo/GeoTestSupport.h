#pragma once

#include <string>

#include "geo/SEU_QQwry.h"
#include "support/QqwryFixture.h"
#include "support/TempDir.h"

namespace corvane::geo {

// A fixture written to a real file in a fresh folder and opened by a reader.
struct OpenedFixture {
    explicit OpenedFixture(const std::string& bytes) {
        testing::WriteFileBytes(path(), bytes);
        opened = reader.Open(path());
    }
    std::filesystem::path path() const { return dir / "QQWry.Dat"; }

    testing::TempDir dir;
    SEU_QQwry reader;
    bool opened = false;
};

}  // namespace corvane::geo

namespace corvane::geo {

// The reader's two fixed answers, spelled out here so a changed text fails the tests.
inline const std::string kPleaseEnterAddress = "请输入IP地址";
inline const std::string kNothingFound = "没有查到相关信息";

}  // namespace corvane::geo
