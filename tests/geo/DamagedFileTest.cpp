#include <gtest/gtest.h>

#include <filesystem>

#include "GeoTestSupport.h"

namespace corvane::geo {
namespace {

using testing::Ipv4;

// Four ranges 1.x to 4.x; the index holds their records in that order after the data area.
std::string FourRanges() {
    testing::QqwryFixture fixture;
    for (std::uint8_t i = 1; i <= 4; ++i) {
        fixture.AddRange(Ipv4(i, 0, 0, 0), Ipv4(i, 0, 0, 255), 1 + i, "range" + std::to_string(i),
                         "x");
    }
    return fixture.Build();
}

std::size_t FirstIndexOffset(const std::string& bytes) {
    return static_cast<unsigned char>(bytes[0]) | static_cast<unsigned char>(bytes[1]) << 8;
}

// The index cut after two whole records and three bytes of the third: records past the end
// read as zeros, so the search still finds what it reaches through the surviving records.
const struct {
    const char* address;
    std::string expected;
} kCutIndexCases[] = {
    {"1.0.0.5", "range1 x"},    {"2.0.0.0", "range2 x"},    {"2.0.0.5", kNothingFound},
    {"4.0.0.0", kNothingFound}, {"0.0.0.0", kNothingFound},
};

TEST(QqwryDamagedFile, IndexCutShortBeforeOpening) {
    std::string bytes = FourRanges();
    bytes.resize(FirstIndexOffset(bytes) + 2 * 7 + 3);
    OpenedFixture opened(bytes);
    ASSERT_TRUE(opened.opened);
    for (const auto& c : kCutIndexCases) {
        EXPECT_EQ(opened.reader.Lookup(c.address), c.expected) << c.address;
    }
}

TEST(QqwryDamagedFile, FileCutShortOnDiskWhileOpen) {
    const std::string bytes = FourRanges();
    OpenedFixture opened(bytes);
    ASSERT_EQ(opened.reader.Lookup("4.0.0.9"), "range4 x");
    std::filesystem::resize_file(opened.path(), FirstIndexOffset(bytes) + 2 * 7 + 3);
    for (const auto& c : kCutIndexCases) {
        EXPECT_EQ(opened.reader.Lookup(c.address), c.expected) << c.address;
    }
    std::filesystem::resize_file(opened.path(), 0);
    EXPECT_EQ(opened.reader.Lookup("1.0.0.5"), kNothingFound);
}

TEST(QqwryDamagedFile, OffsetsPastTheEndReadAsEmpty) {
    const struct {
        const char* name;
        std::string (*locationPart)(testing::QqwryFixture&);
    } cases[] = {
        {"country and area redirects",
         [](testing::QqwryFixture&) { return std::string("\x02\xff\xff\xff\x02\xf0\xff\xff", 8); }},
        {"full redirect",
         [](testing::QqwryFixture&) { return std::string("\x01\xf0\xff\xff", 4); }},
        {"full redirect to a country redirect",
         [](testing::QqwryFixture& fixture) {
             std::string part = "\x01";
             testing::AppendUint24(
                 part, fixture.AddBytes(std::string("\x02\xf0\xff\xff\x02\xf1\xff\xff", 8)));
             return part;
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing::QqwryFixture fixture;
        fixture.AddRawRange(Ipv4(1, 0, 0, 0), Ipv4(1, 0, 0, 255), c.locationPart(fixture));
        fixture.AddRange(Ipv4(2, 0, 0, 0), Ipv4(2, 0, 0, 255), 1, "ok", "x");
        OpenedFixture opened(fixture.Build());
        EXPECT_EQ(opened.reader.Lookup("1.0.0.1"), " ");
        EXPECT_EQ(opened.reader.Lookup("2.0.0.1"), "ok x");
    }

    // An index record whose data record lies past the end: found by its start, empty.
    std::string bytes = FourRanges();
    const std::size_t thirdRecord = FirstIndexOffset(bytes) + 2 * 7 + 4;
    bytes.replace(thirdRecord, 3, "\xf0\xff\xff");
    OpenedFixture opened(bytes);
    EXPECT_EQ(opened.reader.Lookup("3.0.0.0"), " ");
    EXPECT_EQ(opened.reader.Lookup("3.0.0.1"), kNothingFound);
    EXPECT_EQ(opened.reader.Lookup("4.0.0.1"), "range4 x");
}

TEST(QqwryDamagedFile, HeadersThatDoNotFitTheFile) {
    const struct {
        std::uint32_t first;
        std::uint32_t last;
        std::string expected;
    } cases[] = {
        {8, 0x7FFFFFFF, kNothingFound},  // hundreds of millions of records past the end
        {100, 50, kNothingFound},        // last below first: no records
        {8, 8, kNothingFound},           // one record
        // Offsets read as signed: with the last one negative every string lies past it.
        {0xFFFFFFF0, 0xFFFFFFFF, " "},
    };
    for (const auto& c : cases) {
        std::string bytes;
        testing::AppendUint32(bytes, c.first);
        testing::AppendUint32(bytes, c.last);
        bytes += std::string(32, '\x11');
        OpenedFixture opened(bytes);
        ASSERT_TRUE(opened.opened);
        EXPECT_EQ(opened.reader.Lookup("1.2.3.4"), c.expected) << c.first << ' ' << c.last;
    }
    for (std::size_t size : {0, 3}) {
        OpenedFixture opened(std::string(size, '\x01'));
        ASSERT_TRUE(opened.opened);
        EXPECT_EQ(opened.reader.Lookup("1.2.3.4"), kNothingFound);
    }
}

}  // namespace
}  // namespace corvane::geo
