#include "net/WinHttpEx.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <set>
#include <sstream>
#include <string>

#include "support/LoopbackListener.h"
#include "support/TempDir.h"
#include "support/TrackdProcess.h"

namespace corvane::net {
namespace {

using testing::LoopbackListener;
using testing::TempDir;
using testing::TrackdProcess;

class WinHttpExTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = std::make_unique<TempDir>();
        trackd_ = std::make_unique<TrackdProcess>(*dir_ / "trackd.db");
        ASSERT_FALSE(trackd_->address().empty()) << "corvane-trackd did not start";
    }
    static void TearDownTestSuite() {
        trackd_.reset();
        dir_.reset();
    }

    // The header lines the service logged for the request with this exact target.
    static std::set<std::string> LoggedHeaders(const std::string& target) {
        std::istringstream log(trackd_->AccessLog());
        std::set<std::string> headers;
        bool inEntry = false;
        for (std::string line; std::getline(log, line);) {
            if (!inEntry) {
                inEntry = line == "GET " + target + " HTTP/1.1";
            } else if (line.empty()) {
                break;
            } else {
                headers.insert(line);
            }
        }
        return headers;
    }

    static std::unique_ptr<TempDir> dir_;
    static std::unique_ptr<TrackdProcess> trackd_;
};

std::unique_ptr<TempDir> WinHttpExTest::dir_;
std::unique_ptr<TrackdProcess> WinHttpExTest::trackd_;

TEST_F(WinHttpExTest, EmptyAnswerGivesOneZeroByte) {
    const std::string webId = trackd_->AddAccount("empty-feed", "pw");
    CWinHttpEx client;
    std::string body = "left over";
    ASSERT_TRUE(client.Get(trackd_->Url("/corvane/GetInfo.asp?userID=" + webId), body));
    EXPECT_EQ(body, std::string(1, '\0'));
}

TEST_F(WinHttpExTest, QueryReachesTheServerOnTheExplicitPort) {
    const std::string webId = trackd_->AddAccount("query-shop", "pw");
    ASSERT_EQ(trackd_->Visit(webId, "buyer01", "http://item.taobao.com/item.htm?id=42"), 200);
    const std::string target = "/corvane/GetInfo.asp?userID=" + webId;
    CWinHttpEx client;
    std::string body;
    ASSERT_TRUE(client.Get(trackd_->Url(target), body));
    EXPECT_NE(body.find("#||#http://item.taobao.com/item.htm?id=42#||#"), std::string::npos)
        << body;
    EXPECT_EQ(LoggedHeaders(target).count("Host: " + trackd_->address()), 1u);
}

TEST_F(WinHttpExTest, RequestCarriesOnlyTheHostAndTheUserAgent) {
    const std::string target = "/corvane/ver.asp?probe=headers";
    CWinHttpEx client;
    std::string body;
    ASSERT_TRUE(client.Get(trackd_->Url(target), body));
    const std::set<std::string> expected = {
        "Host: " + trackd_->address(),
        "User-Agent: Mozilla/6.0 (compatible; MSIE 6.0; Windows 5.1)"};
    EXPECT_EQ(LoggedHeaders(target), expected);
}

TEST_F(WinHttpExTest, BodyIsTheRawBytesFollowedByZero) {
    const std::string webId = trackd_->AddAccount("pixel-shop", "pw");
    CWinHttpEx client;
    std::string body;
    ASSERT_TRUE(client.Get(trackd_->Url("/corvane/shop.asp?id=" + webId), body));
    ASSERT_EQ(body.size(), 44u);  // the 43-byte GIF, which holds 0 bytes itself, and the 0
    EXPECT_EQ(body.substr(0, 6), "GIF89a");
    EXPECT_EQ(body.back(), '\0');
    EXPECT_EQ(client.ContentType(), "image/gif");
}

TEST_F(WinHttpExTest, AnswersOtherThan200FailWithoutBody) {
    const std::string targets[] = {
        "/no/such/page",                                          // 404 with a body
        "/corvane/GetInfo.asp?userID=abc",                        // 400 with a body
        "/corvane/GetInfo.asp?userID=" + std::string(9000, '1'),  // 414
    };
    CWinHttpEx client;
    for (const std::string& target : targets) {
        std::string body = "left over";
        EXPECT_FALSE(client.Get(trackd_->Url(target), body)) << target;
        EXPECT_TRUE(body.empty()) << target;
    }
}

TEST_F(WinHttpExTest, UrlsThatCannotBeRequestedFailWithoutConnecting) {
    const std::string urls[] = {
        trackd_->address() + "/corvane/ver.asp?probe=bare",
        "ftp://" + trackd_->address() + "/corvane/ver.asp?probe=ftp",
        "",
    };
    CWinHttpEx client;
    for (const std::string& url : urls) {
        std::string body;
        EXPECT_FALSE(client.Get(url, body)) << url;
        EXPECT_TRUE(body.empty()) << url;
    }
    const std::string log = trackd_->AccessLog();
    EXPECT_EQ(log.find("probe=bare"), std::string::npos);
    EXPECT_EQ(log.find("probe=ftp"), std::string::npos);
}

TEST_F(WinHttpExTest, ClosedClientFailsEveryGet) {
    CWinHttpEx client;
    EXPECT_TRUE(client.Close());
    std::string body;
    EXPECT_FALSE(client.Get(trackd_->Url("/corvane/ver.asp"), body));
    EXPECT_FALSE(client.Get(trackd_->Url("/corvane/ver.asp"), body));
}

TEST_F(WinHttpExTest, BodyAboveTheCapFails) {
    HttpLimits limits;
    limits.maxBodyBytes = 16;
    CWinHttpEx capped(limits);
    std::string body;
    EXPECT_FALSE(capped.Get(trackd_->Url("/corvane/corvane_help.asp"), body));
    EXPECT_TRUE(body.empty());
    EXPECT_TRUE(CWinHttpEx().Get(trackd_->Url("/corvane/corvane_help.asp"), body));
}

TEST_F(WinHttpExTest, ExposesTheDeclaredCharset) {
    struct Case {
        std::string target;
        std::string charset;
    };
    const Case cases[] = {
        {"/corvane/GetWebID.asp?UserName=x&UserPwd=y", "gbk"},
        {"/ad.asp", "utf-8"},
        {"/corvane/ver.asp", ""},
    };
    CWinHttpEx client;
    for (const Case& c : cases) {
        std::string body;
        ASSERT_TRUE(client.Get(trackd_->Url(c.target), body)) << c.target;
        EXPECT_EQ(client.DeclaredCharset(), c.charset) << c.target;
    }
}

// Redirects are followed and only the final answer's status counts, even when an earlier
// answer's headers happen to hold the text " 200 OK".
TEST_F(WinHttpExTest, StatusOfTheFinalAnswerDecides) {
    struct Case {
        std::string target;
        bool succeeds;
    };
    const Case cases[] = {{"/corvane/ver.asp", true}, {"/no/such/page", false}};
    for (const Case& c : cases) {
        LoopbackListener redirect(
            "HTTP/1.1 302 Found\r\nX-Note: 200 OK\r\nLocation: " + trackd_->Url(c.target) +
            "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
        CWinHttpEx client;
        std::string body;
        EXPECT_EQ(client.Get("http://127.0.0.1:" + std::to_string(redirect.port()) + "/", body),
                  c.succeeds)
            << c.target;
        EXPECT_EQ(body, c.succeeds ? std::string("4.2", 4) : std::string()) << c.target;
    }
}

TEST(WinHttpExLimitsTest, RefusedConnectionFails) {
    int closedPort = 0;
    {
        LoopbackListener listener;
        closedPort = listener.port();
    }
    CWinHttpEx client;
    std::string body;
    EXPECT_FALSE(
        client.Get("http://127.0.0.1:" + std::to_string(closedPort) + "/corvane/ver.asp", body));
    EXPECT_TRUE(body.empty());
}

// A service that takes the connection and never answers holds Get only for the idle limit
// (the default would be 30 seconds), or until the caller's cancel flag is up.
TEST(WinHttpExLimitsTest, SilentServerCannotHoldGet) {
    LoopbackListener silent;
    const std::string url = "http://127.0.0.1:" + std::to_string(silent.port()) + "/ver.asp";
    HttpLimits shortLimits;
    shortLimits.connect = std::chrono::milliseconds(500);
    shortLimits.idle = std::chrono::milliseconds(150);
    std::atomic<bool> cancelled{true};

    CWinHttpEx idleLimited(shortLimits);
    CWinHttpEx cancelledClient;
    cancelledClient.SetCancelFlag(&cancelled);
    for (CWinHttpEx* client : {&idleLimited, &cancelledClient}) {
        const auto start = std::chrono::steady_clock::now();
        std::string body;
        EXPECT_FALSE(client->Get(url, body));
        EXPECT_TRUE(body.empty());
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    }
}

}  // namespace
}  // namespace corvane::net
