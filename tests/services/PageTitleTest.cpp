#include <gtest/gtest.h>

#include "platform/TextCodec.h"
#include "services/PageTitle.h"
#include "support/LoopbackListener.h"
#include "support/TempDir.h"
#include "support/TrackdProcess.h"

namespace corvane::services {
namespace {

std::string Page(const std::string& title) {
    return "<html><head><title>" + title + "</title></head><body>x</body></html>";
}

std::string Repeated(const std::string& text, int times) {
    std::string repeated;
    for (int i = 0; i < times; ++i) {
        repeated += text;
    }
    return repeated;
}

TEST(PageTitleTest, CleansTheMarketplaceDecorations) {
    const std::string title93(93, 'a');
    const struct {
        std::string page;
        std::string title;
    } cases[] = {
        {Page("羊毛 围巾-淘宝网"), "羊毛围巾"},
        {Page("首页-小王的店-淘宝网"), "小王的店"},
        {Page("淘宝网 - 首页"), ""},
        {Page("a - b\r\n\tc"), "abc"},
        {Page("&amp; kept"), "&amp;kept"},
        {"<TITLE>upper</TITLE>", "<NULL>"},
        {"<title>no end", "<NULL>"},
        {"no title at all", "<NULL>"},
        {Page(title93), title93},
        {Page(title93 + "b"), "<NULL>"},
        // The limit counts characters: 91 of them, though over 200 bytes.
        {Page(std::string(31, 'x') + Repeated("淘宝网", 20)), std::string(31, 'x')},
        {"<title>first</title><title>second</title>", "first"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CleanPageTitle(c.page), c.title) << c.page;
    }
}

TEST(PageTitleTest, FindsTheCharsetAPageDeclares) {
    EXPECT_EQ(MetaCharset("<head><meta charset=\"UTF-8\"></head>"), "utf-8");
    EXPECT_EQ(
        MetaCharset("<META http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">"),
        "gb2312");
    EXPECT_EQ(MetaCharset("<meta name=\"x\"><title>t</title>"), "");
}

// A page served raw over loopback, with the given Content-Type.
std::string TitleOfServed(const std::string& contentType, const std::string& body) {
    corvane::testing::LoopbackListener server("HTTP/1.1 200 OK\r\nContent-Type: " + contentType +
                                              "\r\nContent-Length: " + std::to_string(body.size()) +
                                              "\r\nConnection: close\r\n\r\n" + body);
    return GetPageTitle("http://127.0.0.1:" + std::to_string(server.port()) + "/item.htm");
}

TEST(PageTitleTest, DecodesThePageInTheCharsetItDeclares) {
    const std::string title = "景德镇 茶具-淘宝网";
    EXPECT_EQ(TitleOfServed("text/html; charset=utf-8", Page(title)), "景德镇茶具");
    EXPECT_EQ(TitleOfServed("text/html", "<meta charset=utf-8>" + Page(title)), "景德镇茶具");
    EXPECT_EQ(TitleOfServed("text/html", text::Utf8ToGbk(Page(title))), "景德镇茶具");
    EXPECT_EQ(TitleOfServed("text/html; charset=big5",
                            *text::ConvertCharset(Page("茶具"), "UTF-8", "BIG5")),
              "茶具");
}

TEST(PageTitleTest, FetchesProductPagesFromTheServiceAndFailsQuietly) {
    corvane::testing::TempDir dir;
    corvane::testing::TrackdProcess trackd(dir / "trackd.db");
    EXPECT_EQ(GetPageTitle(trackd.Url("/item.htm?id=6")), "纯棉短袖T恤女款");
    EXPECT_EQ(GetPageTitle(trackd.Url("/no-such-page")), "<NULL>");
    const std::string https = "https://" + trackd.address() + "/item.htm?id=7";
    EXPECT_EQ(GetPageTitle(https), "<NULL>");
    EXPECT_EQ(trackd.AccessLog().find("id=7"), std::string::npos) << "no request without http://";
}

}  // namespace
}  // namespace corvane::services
