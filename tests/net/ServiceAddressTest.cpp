#include <gtest/gtest.h>

#include <string>

#include "net/ServiceEndpoints.h"
#include "net/ServiceHosts.h"

namespace corvane::net {
namespace {

const std::string kDefault(kDefaultServiceHost);

struct ResolveCase {
    const char* label;
    ServiceHosts configured;
    const char* overrideHost;
    ServiceHosts expected;
};

TEST(ServiceHostsTest, OverrideBeatsSettingsAndSettingsBeatDefaults) {
    const ResolveCase cases[] = {
        {"nothing set", {}, nullptr, {kDefault, kDefault, kDefault}},
        {"settings",
         {"track.example", "status.example:81", "card.example"},
         nullptr,
         {"track.example", "status.example:81", "card.example"}},
        {"one setting", {"track.example", "", ""}, nullptr, {"track.example", kDefault, kDefault}},
        {"override points all three at one place",
         {"track.example", "status.example", "card.example"},
         "127.0.0.1:5000",
         {"127.0.0.1:5000", "127.0.0.1:5000", "127.0.0.1:5000"}},
        {"typed with scheme, blanks and slash",
         {" Http://track.example:90/ ", "", ""},
         nullptr,
         {"track.example:90", kDefault, kDefault}},
        {"unusable override is ignored",
         {"track.example", "", ""},
         "  ",
         {"track.example", kDefault, kDefault}},
        {"unusable setting falls back",
         {"host/with/path", "a b", ""},
         nullptr,
         {kDefault, kDefault, kDefault}},
    };
    for (const ResolveCase& c : cases) {
        const ServiceHosts resolved = ResolveServiceHosts(c.configured, c.overrideHost);
        EXPECT_EQ(resolved.tracking, c.expected.tracking) << c.label;
        EXPECT_EQ(resolved.status, c.expected.status) << c.label;
        EXPECT_EQ(resolved.card, c.expected.card) << c.label;
    }
}

TEST(ServiceEndpointsTest, BuildsEveryAddressOnItsHost) {
    const ServiceEndpoints endpoints({"t.example:8742", "s.example", "c.example"});
    EXPECT_EQ(endpoints.VisitImage("12345"), "http://t.example:8742/corvane/shop.asp?id=12345");
    EXPECT_EQ(endpoints.WebId("%D0%C7", "a%26b"),
              "http://t.example:8742/corvane/GetWebID.asp?UserName=%D0%C7&UserPwd=a%26b");
    EXPECT_EQ(endpoints.VisitorFeed("77"), "http://t.example:8742/corvane/GetInfo.asp?userID=77");
    EXPECT_EQ(endpoints.Version(), "http://t.example:8742/corvane/ver.asp");
    EXPECT_EQ(endpoints.HelpPage(), "http://t.example:8742/corvane/corvane_help.asp");
    EXPECT_EQ(endpoints.FeaturedShops(), "http://t.example:8742/ad.asp");
    EXPECT_EQ(endpoints.ToolbarPage(), "http://t.example:8742/ad2.asp");
    EXPECT_EQ(endpoints.OnlineStatus({}),
              "http://s.example/muliuserstatus.aw?beginnum=0&site=cntaobao&charset=utf-8&uids=");
    EXPECT_EQ(endpoints.OnlineStatus({"ab", "x&y", "星"}),
              "http://s.example/muliuserstatus.aw?beginnum=0&site=cntaobao&charset=utf-8"
              "&uids=ab;x%26y;%E6%98%9F;");
    EXPECT_EQ(endpoints.VisitorCard("a b&c"),
              "http://c.example/wangwang/ming_pian.htm?asker=wangwang&nick=a%20b%26c");
}

}  // namespace
}  // namespace corvane::net
