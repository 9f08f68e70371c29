#include <gtest/gtest.h>

#include "GeoTestSupport.h"

namespace corvane::geo {
namespace {

using testing::Ipv4;

std::string Dotted(std::uint32_t address) {
    return std::to_string(address >> 24) + '.' + std::to_string(address >> 16 & 0xFF) + '.' +
           std::to_string(address >> 8 & 0xFF) + '.' + std::to_string(address & 0xFF);
}

// Ranges of 500 addresses with gaps of 500 between them, the first starting at 100.
std::uint32_t StartOf(int range) {
    return static_cast<std::uint32_t>(range) * 1000 + 100;
}
std::uint32_t EndOf(int range) {
    return StartOf(range) + 499;
}

TEST(QqwrySearch, FindsEveryAddressOfEveryRangeAndNothingInTheGaps) {
    for (int count : {2, 3, 4, 7, 100, 1025}) {
        SCOPED_TRACE(count);
        testing::QqwryFixture fixture;
        for (int i = 0; i < count; ++i) {
            fixture.AddRange(StartOf(i), EndOf(i), 1 + i % 8, "R" + std::to_string(i), "a");
        }
        OpenedFixture opened(fixture.Build());
        ASSERT_TRUE(opened.opened);
        const std::string& notFound = kNothingFound;
        for (int i = 0; i < count; ++i) {
            const std::string expected = "R" + std::to_string(i) + " a";
            for (std::uint32_t address : {StartOf(i), StartOf(i) + 1, StartOf(i) + 250, EndOf(i)}) {
                ASSERT_EQ(opened.reader.Lookup(Dotted(address)), expected) << Dotted(address);
            }
            ASSERT_EQ(opened.reader.Lookup(Dotted(EndOf(i) + 1)), notFound);
            ASSERT_EQ(opened.reader.Lookup(Dotted(StartOf(i) - 1)), notFound);
        }
        EXPECT_EQ(opened.reader.Lookup("0.0.0.0"), notFound);
        EXPECT_EQ(opened.reader.Lookup("255.255.255.255"), notFound);
    }
}

TEST(QqwrySearch, AddressEqualToAStartIsFoundEvenWhenItsEndLiesBelow) {
    testing::QqwryFixture fixture;
    fixture.AddRange(Ipv4(1, 0, 0, 0), Ipv4(1, 255, 255, 255), 1, "first", "x");
    fixture.AddRange(Ipv4(2, 0, 0, 0), Ipv4(1, 0, 0, 0), 1, "broken", "y");
    fixture.AddRange(Ipv4(3, 0, 0, 0), Ipv4(3, 255, 255, 255), 1, "third", "z");
    fixture.AddRange(Ipv4(4, 0, 0, 0), Ipv4(4, 255, 255, 255), 1, "fourth", "w");
    OpenedFixture opened(fixture.Build());
    EXPECT_EQ(opened.reader.Lookup("2.0.0.0"), "broken y");
    // Past its start the range's end is compared, and it holds nothing.
    EXPECT_EQ(opened.reader.Lookup("2.0.0.1"), kNothingFound);
}

TEST(QqwrySearch, FewerThanTwoRecordsFindNothing) {
    testing::QqwryFixture empty;
    testing::QqwryFixture single;
    single.AddRange(0, 0xFFFFFFFF, 1, "everywhere", "x");
    for (const std::string& bytes : {empty.Build(), single.Build()}) {
        OpenedFixture opened(bytes);
        ASSERT_TRUE(opened.opened);
        EXPECT_EQ(opened.reader.Lookup("0.0.0.0"), kNothingFound);
        EXPECT_EQ(opened.reader.Lookup("8.8.8.8"), kNothingFound);
    }
}

TEST(QqwrySearch, WithoutAFileOnlyTheEmptyTextIsAnswered) {
    testing::TempDir dir;
    SEU_QQwry neverOpened;
    SEU_QQwry missing;
    EXPECT_FALSE(missing.Open(dir / "QQWry.Dat"));
    EXPECT_FALSE(missing.Open(dir.path()));
    for (SEU_QQwry* reader : {&neverOpened, &missing}) {
        EXPECT_EQ(reader->Lookup(""), kPleaseEnterAddress);
        EXPECT_EQ(reader->Lookup("0.0.0.0"), kNothingFound);
        EXPECT_EQ(reader->Lookup("61.135.169.121"), kNothingFound);
    }
}

}  // namespace
}  // namespace corvane::geo
