#include "net/URLEncode.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane::net {
namespace {

struct EncodeCase {
    std::string input;
    std::string expected;
};

TEST(URLEncodeTest, EncodesEveryByteOutsideTheSafeSet) {
    const EncodeCase cases[] = {
        {"", ""},
        {"AZaz09-._'()*", "AZaz09-._'()*"},
        {"a b", "a%20b"},
        {"a+b", "a%2Bb"},
        {"~{|}", "%7E%7B%7C%7D"},
        {"\"<>%\\^[]`$,@:;/!#?=&", "%22%3C%3E%25%5C%5E%5B%5D%60%24%2C%40%3A%3B%2F%21%23%3F%3D%26"},
        {std::string("a\0b", 3), "a%00b"},
        {"\x7F\x80\xFF\n\x1F", "%7F%80%FF%0A%1F"},
        {"\xD0\xC7\xE1\xB0", "%D0%C7%E1%B0"},  // 星岚 in GBK
    };
    const CURLEncode encoder;
    for (const EncodeCase& c : cases) {
        EXPECT_EQ(encoder.Encode(c.input), c.expected) << "input: " << c.input;
    }
}

TEST(URLEncodeTest, HexFormIsTwoUpperCaseDigits) {
    EXPECT_EQ(CURLEncode::HexForm(0), "00");
    EXPECT_EQ(CURLEncode::HexForm(10), "0A");
    EXPECT_EQ(CURLEncode::HexForm(228), "E4");
    EXPECT_EQ(CURLEncode::PercentForm(255), "%FF");
}

}  // namespace
}  // namespace corvane::net
