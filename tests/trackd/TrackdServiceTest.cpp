#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/TextCodec.h"
#include "support/TempDir.h"
#include "support/TrackdProcess.h"

namespace corvane::trackd {
namespace {

using testing::RunProgram;
using testing::TempDir;
using testing::TrackdProcess;

// "YYYY-MM-DD HH:MM:SS"
bool IsLocalTimeText(const std::string& text) {
    const std::string shape = "dddd-dd-dd dd:dd:dd";
    if (text.size() != shape.size()) {
        return false;
    }
    for (std::size_t i = 0; i < shape.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (shape[i] == 'd' ? !digit : text[i] != shape[i]) {
            return false;
        }
    }
    return true;
}

class TrackdServiceTest : public ::testing::Test {
protected:
    httplib::Result Get(const std::string& target, const httplib::Headers& headers = {}) {
        return client.Get(target, headers);
    }
    // The next feed record of an account, decoded from GBK.
    std::string NextRecord(const std::string& webId) {
        const auto result = Get("/corvane/GetInfo.asp?userID=" + webId);
        EXPECT_TRUE(result && result->status == 200);
        return result ? text::GbkToUtf8(result->body) : std::string("no answer");
    }

    TempDir dir;
    TrackdProcess trackd{dir / "trackd.db", {"--release", "4.3"}};
    httplib::Client client{"http://" + trackd.address()};
};

TEST_F(TrackdServiceTest, VisitsAreDeliveredOnceOldestFirst) {
    const std::string webId = trackd.AddAccount("shop", "pw");
    ASSERT_EQ(
        trackd.Visit(webId, "买家小王", "http://item.taobao.com/item.htm?id=1", "202.96.128.86"),
        200);
    ASSERT_EQ(trackd.Visit(webId, "buyer2", "http://shop.example/a?x=|##|y"), 200);

    const std::string first = NextRecord(webId);
    const std::string prefix = "202.96.128.86#||#http://item.taobao.com/item.htm?id=1#||#";
    const std::string suffix = "#||#买家小王|##|";
    ASSERT_EQ(first.size(), prefix.size() + 19 + suffix.size()) << first;
    EXPECT_TRUE(first.starts_with(prefix)) << first;
    EXPECT_TRUE(first.ends_with(suffix)) << first;
    EXPECT_TRUE(IsLocalTimeText(first.substr(prefix.size(), 19))) << first;
    // A separator in the page address cannot end the record early.
    const std::string second = NextRecord(webId);
    EXPECT_TRUE(second.starts_with("127.0.0.1#||#http://shop.example/a?x=%7C##%7Cy#||#")) << second;
    EXPECT_TRUE(second.ends_with("#||#buyer2|##|")) << second;
    EXPECT_EQ(NextRecord(webId), "");
}

TEST_F(TrackdServiceTest, VisitAnswerIsAnUncachedPixel) {
    const auto result = Get("/corvane/shop.asp?id=1001&nick=abc");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 200);
    EXPECT_EQ(result->get_header_value("Content-Type"), "image/gif");
    EXPECT_EQ(result->body.size(), 43u);
    EXPECT_NE(result->get_header_value("Cache-Control").find("no-store"), std::string::npos);
    EXPECT_EQ(result->get_header_value("Pragma"), "no-cache");
}

TEST_F(TrackdServiceTest, UnknownWebIdRecordsNothing) {
    ASSERT_EQ(trackd.Visit("5555", "early-bird", "http://item.taobao.com/item.htm?id=2"), 200);
    ASSERT_EQ(trackd.AddAccount("late-shop", "pw", 5555), "5555");
    EXPECT_EQ(NextRecord("5555"), "");
}

TEST_F(TrackdServiceTest, VisitorWithoutNickKeepsTheNameOfItsCookie) {
    const std::string webId = trackd.AddAccount("cookie-shop", "pw");
    const httplib::Headers referer = {{"Referer", "http://item.taobao.com/item.htm?id=3"}};
    const auto firstVisit = Get("/corvane/shop.asp?id=" + webId, referer);
    ASSERT_TRUE(firstVisit);
    const std::string cookie = firstVisit->get_header_value("Set-Cookie");
    ASSERT_TRUE(cookie.starts_with("corvane_visitor=")) << cookie;
    httplib::Headers returning = referer;
    returning.emplace("Cookie", "other=1; " + cookie.substr(0, cookie.find(';')));
    ASSERT_TRUE(Get("/corvane/shop.asp?id=" + webId, returning));

    const std::string first = NextRecord(webId);
    const std::string name = first.substr(first.rfind("#||#") + 4);
    EXPECT_TRUE(name.starts_with("游客")) << name;
    EXPECT_EQ(NextRecord(webId).substr(first.rfind("#||#") + 4), name);
}

TEST_F(TrackdServiceTest, BadRequestsAreRefusedAndStoreNothing) {
    const std::string webId = trackd.AddAccount("strict-shop", "pw");
    struct Case {
        std::string target;
        int status;
    };
    const Case cases[] = {
        {"/corvane/shop.asp", 400},
        {"/corvane/shop.asp?id=abc&nick=x1", 400},
        {"/corvane/shop.asp?id=0&nick=x1", 400},
        {"/corvane/shop.asp?id=" + webId + "x&nick=x1", 400},
        {"/corvane/shop.asp?id=" + webId + "&nick=a%7C%23%23%7Cb", 400},
        {"/corvane/shop.asp?id=" + webId + "&nick=a%0Ab", 400},
        {"/corvane/shop.asp?id=" + webId + "&nick=", 400},
        {"/corvane/shop.asp?id=" + webId + "&nick=" + std::string(65, 'n'), 400},
        {"/corvane/shop.asp?id=" + webId + "&nick=%FF%FE", 400},
        {"/corvane/shop.asp?id=" + webId + "&nick=x&pad=" + std::string(9000, 'p'), 414},
        {"/corvane/GetInfo.asp", 400},
        {"/corvane/GetInfo.asp?userID=-1", 400},
        {"/corvane/GetWebID.asp?UserName=strict-shop", 400},
        {"/muliuserstatus.aw?site=cntaobao", 400},
        {"/wangwang/ming_pian.htm?asker=wangwang", 400},
        {"/corvane/nothing.asp?id=" + webId, 404},
    };
    for (const Case& c : cases) {
        const auto result = Get(c.target);
        ASSERT_TRUE(result) << c.target;
        EXPECT_EQ(result->status, c.status) << c.target.substr(0, 80);
        EXPECT_FALSE(result->body.empty()) << c.target.substr(0, 80);
    }
    const auto posted =
        client.Post("/corvane/shop.asp?id=" + webId + "&nick=poster", "x", "text/plain");
    ASSERT_TRUE(posted);
    EXPECT_GE(posted->status, 400);
    EXPECT_EQ(NextRecord(webId), "");
}

TEST_F(TrackdServiceTest, StatusEndpointAnswersForEachNameInOrder) {
    ASSERT_TRUE(trackd.SetOnline({"alice", "星星"}));
    const auto result =
        Get("/muliuserstatus.aw?beginnum=0&site=cntaobao&charset=utf-8&uids=alice;bob;"
            "%E6%98%9F%E6%98%9F;");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->body, "online[0]=1;\nonline[1]=0;\nonline[2]=1;\n");
    const auto none = Get("/muliuserstatus.aw?beginnum=0&site=cntaobao&charset=utf-8&uids=");
    ASSERT_TRUE(none);
    EXPECT_EQ(none->status, 200);
    EXPECT_EQ(none->body, "");
}

TEST_F(TrackdServiceTest, PagesAnswerWithTheirContent) {
    ASSERT_TRUE(trackd.SetOnline({"<b>bold"}));
    struct Case {
        std::string target;
        std::string contains;
    };
    const Case cases[] = {
        {"/corvane/ver.asp", "4.3"},
        {"/corvane/corvane_help.asp", "<html>"},
        {"/ad.asp", "<html>"},
        {"/ad2.asp", "<html>"},
        {"/wangwang/ming_pian.htm?asker=wangwang&nick=%3Cb%3Ebold", "&lt;b&gt;bold</h1>"},
        {"/wangwang/ming_pian.htm?asker=wangwang&nick=%3Cb%3Ebold", "在线"},
        {"/wangwang/ming_pian.htm?asker=wangwang&nick=someone", "离线"},
    };
    for (const Case& c : cases) {
        const auto result = Get(c.target);
        ASSERT_TRUE(result) << c.target;
        EXPECT_EQ(result->status, 200) << c.target;
        EXPECT_NE(result->body.find(c.contains), std::string::npos) << c.target;
    }
    EXPECT_EQ(Get("/corvane/ver.asp")->body, "4.3");
}

TEST(TrackdCommandTest, AddAccountRefusesWhatTheServiceCannotServe) {
    TempDir dir;
    const std::string db = (dir / "trackd.db").string();
    const std::string trackd = CORVANE_TRACKD_PATH;
    auto add = [&](std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {trackd, "add-account", "--db", db});
        return RunProgram(arguments);
    };
    ASSERT_EQ(add({"first", "pw"}), std::make_pair(0, std::string("1001\n")));
    ASSERT_EQ(add({"second", "pw"}), std::make_pair(0, std::string("1002\n")));
    const std::vector<std::vector<std::string>> refused = {
        {"FIRST", "other"},           // names compare without letter case
        {"--id", "1001", "x", "pw"},  // id in use
        {"--id", "0", "x", "pw"},
        {"--id", "12ab", "x", "pw"},
        {"x", ""},
        {"", "pw"},
        {"a|b", "pw"},
        {std::string(100, 'n'), "pw"},
        {"only-name"},
    };
    for (const auto& arguments : refused) {
        EXPECT_NE(add(arguments).first, 0) << arguments.front();
    }
    EXPECT_EQ(add({"third", "pw"}).second, "1003\n");
}

}  // namespace
}  // namespace corvane::trackd
