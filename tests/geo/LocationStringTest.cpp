#include <gtest/gtest.h>

#include "GeoTestSupport.h"
#include "platform/TextCodec.h"

namespace corvane::geo {
namespace {

using testing::Gbk;
using testing::Ipv4;

TEST(QqwryStrings, StringsAreCutAfter51BytesAndAnEmptyAreaLeavesTheSpace) {
    const std::string sixty(60, 'C');
    const std::string first51(51, 'C');
    const struct {
        int layout;
        std::string country;
        std::string area;
        std::string expected;
    } cases[] = {
        {3, sixty, "area", first51 + " area"},
        {8, sixty, sixty, first51 + ' ' + first51},
        {2, "CN", sixty, "CN " + first51},
        // An inline area starts after the whole country, not after the 51 bytes shown.
        {1, sixty, "area", first51 + " area"},
        // A redirected country must end within the 50 bytes read at A, else there is none.
        {5, sixty, "area", ""},
        {5, std::string(50, 'C'), "area", ""},
        {5, std::string(49, 'C'), "area", std::string(49, 'C') + " area"},
        // An inline country ending past the same window reads the area part after it as text:
        // here 0x02 and the low byte of C (the area string, stored first at offset 8).
        {2, std::string(49, 'C'), "area", std::string(49, 'C') + " area"},
        {2, std::string(50, 'C'), "area", std::string(50, 'C') + " \x02\x08"},
        {1, std::string(51, 'C'), "area", first51 + " area"},
        {1, "CN", "", "CN "},
        {4, "CN", "", "CN "},
        {7, "CN", "", "CN "},
        {1, "", "", " "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.layout);
        testing::QqwryFixture fixture;
        fixture.AddRange(Ipv4(1, 0, 0, 0), Ipv4(1, 0, 0, 255), c.layout, c.country, c.area);
        fixture.AddRange(Ipv4(2, 0, 0, 0), Ipv4(2, 0, 0, 255), 1, "other", "x");
        OpenedFixture opened(fixture.Build());
        EXPECT_EQ(opened.reader.Lookup("1.0.0.1"), c.expected);
    }
}

TEST(QqwryStrings, GbkIsDecodedAndACutNeverLeavesHalfACharacter) {
    // 26 two-byte characters: the 51-byte cut falls inside the 26th.
    std::string longName;
    for (int i = 0; i < 26; ++i) {
        longName += "长";
    }
    testing::QqwryFixture fixture;
    fixture.AddRange(Ipv4(1, 0, 0, 0), Ipv4(1, 0, 0, 255), 4, Gbk(longName), Gbk("内蒙古"));
    fixture.AddRange(Ipv4(2, 0, 0, 0), Ipv4(2, 0, 0, 255), 1, Gbk("香港"), Gbk("ＩＤＣ机房"));
    OpenedFixture opened(fixture.Build());
    EXPECT_EQ(opened.reader.Lookup("1.0.0.1"), text::Utf8Left(longName, 25) + " 内蒙古");
    EXPECT_EQ(opened.reader.Lookup("2.0.0.1"), "香港 ＩＤＣ机房");
    EXPECT_EQ(opened.reader.Lookup(""), kPleaseEnterAddress);
}

// Replaces the 3 bytes at `at` with `value`, little-endian.
void PatchUint24(std::string& bytes, std::size_t at, std::uint32_t value) {
    std::string encoded;
    testing::AppendUint24(encoded, value);
    bytes.replace(at, 3, encoded);
}

TEST(QqwryStrings, StringsPastTheLastIndexRecordAreEmpty) {
    // Range 1 points its country (0x02 A) and its area (0x02 C) at offsets patched below; the
    // last index record reads as the string "ABCD\x08": start address 68.67.66.65, record at 8.
    testing::QqwryFixture fixture;
    fixture.AddRange(Ipv4(68, 67, 66, 65), Ipv4(68, 67, 66, 255), 1, "last", "x");
    fixture.AddRange(Ipv4(1, 0, 0, 0), Ipv4(1, 0, 0, 255), 4, "country", "area");
    const std::string built = fixture.Build();
    const std::size_t first =
        static_cast<unsigned char>(built[0]) | static_cast<unsigned char>(built[1]) << 8;
    const std::size_t last =
        static_cast<unsigned char>(built[4]) | static_cast<unsigned char>(built[5]) << 8;
    ASSERT_EQ(built.size(), last + 7);
    const std::size_t record = static_cast<unsigned char>(built[first + 4]) |
                               static_cast<unsigned char>(built[first + 5]) << 8;

    const struct {
        std::uint32_t countryOffset;
        std::uint32_t areaOffset;
        std::string expected;
    } cases[] = {
        {static_cast<std::uint32_t>(last), static_cast<std::uint32_t>(last + 1), "ABCD\x08 "},
        {static_cast<std::uint32_t>(last + 1), static_cast<std::uint32_t>(last), " ABCD\x08"},
        {0xFFFFFF, 0xFFFFF0, " "},
    };
    for (const auto& c : cases) {
        std::string bytes = built;
        PatchUint24(bytes, record + 5, c.countryOffset);
        PatchUint24(bytes, record + 9, c.areaOffset);
        OpenedFixture opened(bytes);
        EXPECT_EQ(opened.reader.Lookup("1.0.0.1"), c.expected) << c.countryOffset;
    }
}

}  // namespace
}  // namespace corvane::geo
