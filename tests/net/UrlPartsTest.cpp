#include "net/UrlParts.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane::net {
namespace {

struct CrackCase {
    std::string url;
    bool secure;
    std::string host;
    int port;
    std::string pathAndQuery;
};

TEST(UrlPartsTest, TakesApartHttpAndHttpsUrls) {
    const CrackCase cases[] = {
        {"http://shop.example/corvane/GetInfo.asp?userID=12", false, "shop.example", 80,
         "/corvane/GetInfo.asp?userID=12"},
        {"HTTPS://shop.example/ver.asp", true, "shop.example", 443, "/ver.asp"},
        {"Https://shop.example", true, "shop.example", 443, "/"},
        {"http://127.0.0.1:8080/a?b=c&d=e", false, "127.0.0.1", 8080, "/a?b=c&d=e"},
        {"https://shop.example:8443/x#part", true, "shop.example", 8443, "/x"},
    };
    for (const CrackCase& c : cases) {
        const auto parts = CrackUrl(c.url);
        ASSERT_TRUE(parts) << c.url;
        EXPECT_EQ(parts->secure, c.secure) << c.url;
        EXPECT_EQ(parts->host, c.host) << c.url;
        EXPECT_EQ(parts->port, c.port) << c.url;
        EXPECT_EQ(parts->pathAndQuery, c.pathAndQuery) << c.url;
    }
}

TEST(UrlPartsTest, RefusesWhatCannotBeRequested) {
    for (const char* url :
         {"", "shop.example", "127.0.0.1:8080/ver.asp", "localhost:80", "ftp://shop.example/file",
          "http://", "http://host:99999/", "http://host:port/", "//shop.example/x"}) {
        EXPECT_FALSE(CrackUrl(url)) << url;
    }
}

}  // namespace
}  // namespace corvane::net
