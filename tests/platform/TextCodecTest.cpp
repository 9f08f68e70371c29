#include <gtest/gtest.h>

#include "platform/TextCodec.h"

namespace corvane::text {
namespace {

const std::string kGbkBeijing = "\xB1\xB1\xBE\xA9";  // 北京 in GBK

TEST(TextCodecTest, GbkAndUtf8RoundTrip) {
    EXPECT_EQ(GbkToUtf8(kGbkBeijing), "北京");
    EXPECT_EQ(Utf8ToGbk("北京"), kGbkBeijing);
    EXPECT_EQ(GbkToUtf8("abc" + kGbkBeijing + "1"), "abc北京1");
    EXPECT_EQ(GbkToUtf8(""), "");
}

TEST(TextCodecTest, UndecodableBytesBecomeQuestionMarks) {
    // A lead byte at the very end, and a character GBK cannot hold.
    EXPECT_EQ(GbkToUtf8("a\xB1"), "a?");
    EXPECT_EQ(Utf8ToGbk("x\xF0\x9F\x98\x80y"), "x?y");
    // Text after a bad sequence still converts.
    EXPECT_EQ(GbkToUtf8("\xFF" + kGbkBeijing), "?北京");
}

TEST(TextCodecTest, OtherCharsetsAndUnknownOnes) {
    EXPECT_EQ(ConvertCharset("\xE5\x8C\x97", "UTF-8", "GBK"),
              std::optional<std::string>("\xB1\xB1"));
    EXPECT_EQ(ConvertCharset("abc", "no-such-charset", "UTF-8"), std::nullopt);
}

TEST(TextCodecTest, CountsAndCutsByCharacters) {
    EXPECT_EQ(Utf8Length("北京abc"), 5u);
    EXPECT_EQ(Utf8Left("北京abc", 3), "北京a");
    EXPECT_EQ(Utf8Left("ab", 10), "ab");
    // 北 is three bytes: four bytes hold one character, not one and a third.
    EXPECT_EQ(Utf8TruncateBytes("北京", 4), "北");
    EXPECT_EQ(Utf8TruncateBytes("北京", 6), "北京");
    EXPECT_EQ(GbkTruncateBytes("a" + kGbkBeijing, 4), "a\xB1\xB1");
    EXPECT_EQ(GbkTruncateBytes(kGbkBeijing, 3), "\xB1\xB1");
}

}  // namespace
}  // namespace corvane::text
