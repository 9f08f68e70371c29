#include <gtest/gtest.h>

#include <set>
#include <string>

#include "greeting/GreetingTemplate.h"
#include "greeting/MessengerUrl.h"
#include "greeting/RandomCode.h"
#include "platform/TextCodec.h"

namespace corvane::greeting {
namespace {

constexpr std::string_view kCode = "0123456789ABCDEF0123456789ABCDEF";

struct ExpansionCase {
    const char* name;
    std::string greetingTemplate;
    std::string visitor;
    std::string expected;
};

TEST(ExpandGreeting, ReplacesVisitorFirstThenTheCode) {
    const std::string code(kCode);
    const ExpansionCase cases[] = {
        {"no placeholders", "您好,欢迎光临!", "abc", "您好,欢迎光临!"},
        {"visitor twice", "[username]您好 [username]", "abc", "abc您好 abc"},
        {"code twice, one code", "[randomcode]-[randomcode]", "abc", code + "-" + code},
        {"visitor naming the code", "[username]:[randomcode]", "x[randomcode]",
         "x" + code + ":" + code},
        {"other case stays as typed", "[UserName] [RandomCode]", "abc", "[UserName] [RandomCode]"},
        {"inserted visitor not searched again", "[username]", "[username]", "[username]"},
        {"brackets around a placeholder", "[[username]]", "abc", "[abc]"},
        {"empty template", "", "abc", ""},
    };
    for (const ExpansionCase& c : cases) {
        EXPECT_EQ(ExpandGreeting(c.greetingTemplate, c.visitor, kCode), c.expected) << c.name;
    }
}

TEST(MakeRandomCode, GivesFreshUpperCaseHexUuids) {
    std::set<std::string> seen;
    for (int i = 0; i < 50; ++i) {
        const std::string code = MakeRandomCode();
        ASSERT_EQ(code.size(), 32u);
        EXPECT_EQ(code.find_first_not_of("0123456789ABCDEF"), std::string::npos) << code;
        EXPECT_EQ(code[12], '4') << code;  // version 4
        EXPECT_NE(std::string_view("89AB").find(code[16]), std::string_view::npos) << code;
        seen.insert(code);
    }
    EXPECT_EQ(seen.size(), 50u);
}

TEST(FitForMessenger, CutsTheGbkFormAtACharacterBoundary) {
    std::string chinese600;
    for (int i = 0; i < 600; ++i) {
        chinese600 += "中";
    }
    struct Case {
        const char* name;
        std::string greeting;
        std::size_t expectedChars;
    };
    const Case cases[] = {
        {"short text kept", "亲爱的 abc,欢迎光临！", 13},
        {"1023 single bytes kept", std::string(1023, 'a'), 1023},
        {"1024 single bytes cut", std::string(1024, 'a'), 1023},
        // 511 double-byte characters fill 1022 bytes; the 512th would not fit whole.
        {"double bytes only", chinese600, 511},
        {"odd start", "a" + chinese600, 512},
    };
    for (const Case& c : cases) {
        const std::string fitted = FitForMessenger(c.greeting);
        EXPECT_EQ(text::Utf8Length(fitted), c.expectedChars) << c.name;
        EXPECT_LE(text::Utf8ToGbk(fitted).size(), kMaxGreetingGbkBytes) << c.name;
        EXPECT_EQ(c.greeting.substr(0, fitted.size()), fitted) << c.name;
    }
}

TEST(FitForMessenger, CharactersGbkCannotHoldBecomeQuestionMarks) {
    EXPECT_EQ(FitForMessenger("hi \xF0\x9F\x98\x80!"), "hi ?!");
}

TEST(MessengerUrl, FollowsTheEdition) {
    EXPECT_EQ(MessengerUrl(0, "买家", "店主"), "aliim:sendmsg?uid=cntaobao店主&touid=cntaobao买家");
    EXPECT_EQ(MessengerUrl(1, "买家", "店主"), "wangwang:SendIM?uid=买家&suid=店主");
    EXPECT_EQ(MessengerUrl(2, "a b", "c&d"), "wangwang:SendIM?uid=a b&suid=c&d");
}

}  // namespace
}  // namespace corvane::greeting
