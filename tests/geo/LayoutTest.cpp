#include <gtest/gtest.h>

#include <span>

#include "GeoTestSupport.h"
#include "geo/LocationRecord.h"

namespace corvane::geo {
namespace {

using testing::Gbk;
using testing::Ipv4;

struct LayoutCase {
    int layout;
    const char* country;
    const char* area;
    const char* expected;
};

constexpr LayoutCase kLayouts[] = {
    {0, "", "", ""},
    {1, "北京市", "联通", "北京市 联通"},
    {2, "上海市", "电信", "上海市 电信"},
    {3, "广东省深圳市", "移动", "广东省深圳市 移动"},
    {4, "浙江省杭州市", "阿里巴巴", "浙江省杭州市 阿里巴巴"},
    {5, "江苏省", "南京市", "江苏省 南京市"},
    {6, "四川省成都市", "教育网", "四川省成都市 教育网"},
    {7, "美国", "加利福尼亚州", "美国 加利福尼亚州"},
    {8, "日本", "东京都", "日本 东京都"},
};

std::uint32_t StartOf(int layout) {
    return Ipv4(10, static_cast<std::uint8_t>(layout), 0, 0);
}

std::string AllLayouts() {
    testing::QqwryFixture fixture;
    // Shared strings, as real files share them between records.
    for (const LayoutCase& c : kLayouts) {
        fixture.AddRange(StartOf(c.layout), StartOf(c.layout) + 255, c.layout, Gbk(c.country),
                         Gbk(c.area));
    }
    return fixture.Build();
}

TEST(QqwryLayout, EveryLayoutIsClassifiedAndFound) {
    const std::string bytes = AllLayouts();
    const FileBytes file(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    const std::uint32_t firstIndex = file.Uint32(0);
    OpenedFixture fixture(bytes);
    ASSERT_TRUE(fixture.opened);
    for (const LayoutCase& c : kLayouts) {
        SCOPED_TRACE(c.layout);
        const std::uint32_t recordOffset = file.Uint24(firstIndex + 7 * c.layout + 4);
        EXPECT_EQ(ReadLocationRecord(file, recordOffset).layout, c.layout);
        for (std::uint8_t last : {0, 77, 255}) {
            const std::string address =
                "10." + std::to_string(c.layout) + ".0." + std::to_string(last);
            EXPECT_EQ(fixture.reader.Lookup(address), c.expected) << address;
        }
    }
}

TEST(QqwryLayout, AreaMarkedFullRedirectIsReadAsText) {
    // 0x01 only redirects at the start of a location part; in an area part it is a character.
    testing::QqwryFixture fixture;
    fixture.AddRange(Ipv4(1, 0, 0, 0), Ipv4(1, 0, 0, 255), 1, "CN", "\x01zone");
    fixture.AddRange(Ipv4(2, 0, 0, 0), Ipv4(2, 0, 0, 255), 3, "CN", "\x01zone");
    fixture.AddRange(Ipv4(3, 0, 0, 0), Ipv4(3, 0, 0, 255), 5, "CN", "\x01zone");
    fixture.AddRange(Ipv4(4, 0, 0, 0), Ipv4(4, 0, 0, 255), 7, "CN", "\x01zone");
    OpenedFixture opened(fixture.Build());
    for (const char* address : {"1.0.0.1", "2.0.0.1", "3.0.0.1", "4.0.0.1"}) {
        EXPECT_EQ(opened.reader.Lookup(address), "CN \x01zone") << address;
    }
}

TEST(QqwryLayout, FullRedirectTargetIsNotFollowedAgain) {
    // At A a second 0x01 is the first byte of an inline country, not another redirect.
    testing::QqwryFixture fixture;
    std::string location = "\x01";
    testing::AppendUint24(location, fixture.AddBytes(std::string("\x01"
                                                                 "abc\0area\0",
                                                                 10)));
    fixture.AddRawRange(Ipv4(1, 0, 0, 0), Ipv4(1, 0, 0, 255), location);
    fixture.AddRange(Ipv4(2, 0, 0, 0), Ipv4(2, 0, 0, 255), 1, "x", "y");
    OpenedFixture opened(fixture.Build());
    EXPECT_EQ(opened.reader.Lookup("1.0.0.9"),
              "\x01"
              "abc area");
}

}  // namespace
}  // namespace corvane::geo
