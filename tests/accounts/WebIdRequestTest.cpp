#include "accounts/WebIdRequest.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "net/URLEncode.h"
#include "platform/TextCodec.h"
#include "support/LoopbackListener.h"
#include "support/TempDir.h"
#include "support/TrackdProcess.h"

namespace corvane::accounts {
namespace {

using testing::TempDir;
using testing::TrackdProcess;

TEST(WebIdAnswerTest, WebIdIsEverythingAfterTheFirstAcceptance) {
    struct Case {
        std::string answer;
        std::optional<std::string> webId;
    };
    const Case cases[] = {
        {"+OK 4711", "4711"},
        {"+OK 4711\r\n", "4711\r\n"},
        {"+OK ", ""},
        {"note +OK 12 +OK 13", "12 +OK 13"},
        {"-ERR", std::nullopt},
        {"+OK", std::nullopt},
        {"+ok 4711", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseWebIdAnswer(c.answer), c.webId) << c.answer;
    }
}

class WebIdRequestTest : public ::testing::Test {
protected:
    net::ServiceEndpoints Service() const {
        return net::ServiceEndpoints({trackd.address(), trackd.address(), trackd.address()});
    }
    bool Logged(const std::string& text) const {
        return trackd.AccessLog().find(text) != std::string::npos;
    }

    TempDir dir;
    TrackdProcess trackd{dir / "trackd.db"};
};

TEST_F(WebIdRequestTest, KnownAccountGetsItsWebId) {
    ASSERT_EQ(trackd.AddAccount("tea-shop", "secret", 4711), "4711");
    EXPECT_EQ(GetWebID(Service(), "tea-shop", "secret"), "4711");
    EXPECT_EQ(GetWebID(Service(), "TEA-SHOP", "secret"), "4711");
    EXPECT_EQ(GetWebID(Service(), "tea-shop", "wrong"), std::nullopt);
    EXPECT_EQ(GetWebID(Service(), "nobody", "secret"), std::nullopt);
}

TEST_F(WebIdRequestTest, PasswordWithSeparatorsArrivesWhole) {
    ASSERT_FALSE(trackd.AddAccount("amp-shop", "a&UserPwd=b c+d").empty());
    EXPECT_TRUE(GetWebID(Service(), "amp-shop", "a&UserPwd=b c+d"));
    EXPECT_FALSE(GetWebID(Service(), "amp-shop", "a"));
}

TEST_F(WebIdRequestTest, ChineseNameIsSentAsItsGbkBytes) {
    const std::string name = "星岚小店";
    const std::string webId = trackd.AddAccount(name, "pw");
    ASSERT_FALSE(webId.empty());
    EXPECT_EQ(GetWebID(Service(), name, "pw"), webId);
    EXPECT_TRUE(Logged("UserName=%D0%C7%E1%B0%D0%A1%B5%EA&UserPwd=pw"));
}

TEST_F(WebIdRequestTest, LongNameIsCutOnACharacterBoundary) {
    std::string name;
    for (int i = 0; i < 60; ++i) {
        name += "星";  // two GBK bytes each: 120 in all
    }
    EXPECT_FALSE(GetWebID(Service(), name, "pw"));
    const std::string sent =
        net::CURLEncode().Encode(text::GbkTruncateBytes(text::Utf8ToGbk(name), 99));
    ASSERT_EQ(sent.size(), 98u * 3);
    EXPECT_TRUE(Logged("UserName=" + sent + "&UserPwd=pw "));
}

TEST(WebIdRetryTest, FailedRequestsAreTriedThreeTimes) {
    testing::LoopbackListener failing(
        "HTTP/1.1 500 Internal Server Error\r\nContent-Length: 8\r\nConnection: close\r\n\r\n"
        "+OK 4711");
    const std::string host = "127.0.0.1:" + std::to_string(failing.port());
    EXPECT_EQ(GetWebID(net::ServiceEndpoints({host, host, host}), "shop", "pw"), std::nullopt);
    EXPECT_EQ(failing.requests(), kWebIdAttempts);
}

TEST(WebIdRetryTest, ACancelledRequestGivesUpOnASilentService) {
    testing::LoopbackListener silent;
    const std::string host = "127.0.0.1:" + std::to_string(silent.port());
    const std::atomic<bool> exiting{true};
    // Without the flag this would wait out the 30-second limit three times.
    EXPECT_EQ(GetWebID(net::ServiceEndpoints({host, host, host}), "shop", "pw", {}, &exiting),
              std::nullopt);
}

}  // namespace
}  // namespace corvane::accounts
