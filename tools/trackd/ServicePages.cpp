#include "ServicePages.h"

#include <iterator>

#include "platform/TextCodec.h"

namespace corvane::trackd {
namespace {

std::string Page(std::string_view title, std::string_view body) {
    std::string page = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>";
    page += title;
    page +=
        "</title><style>body{font-family:sans-serif;background:#f4f4f4;margin:8px;}"
        "h1{font-size:16px;}p,li{font-size:13px;}</style></head><body>\n";
    page += body;
    page += "\n</body></html>\n";
    return page;
}

}  // namespace

std::string_view TransparentPixel() {
    // GIF89a, 1 x 1, one-entry palette, graphic control extension marking it transparent.
    static constexpr unsigned char kPixel[] = {
        0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80, 0x00, 0x00, 0x00, 0x00,
        0x00, 0xFF, 0xFF, 0xFF, 0x21, 0xF9, 0x04, 0x01, 0x00, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00,
        0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};
    return {reinterpret_cast<const char*>(kPixel), sizeof kPixel};
}

std::string HelpPage() {
    return Page("星岚来客提醒 帮助",
                "<h1>星岚来客提醒 使用帮助</h1>\n<ol>\n"
                "<li>在设置页面添加账号：淘宝会员名和跟踪服务的密码。</li>\n"
                "<li>点击“生成代码”，把代码放进店铺公告或宝贝描述的最后一行。</li>\n"
                "<li>有顾客打开这些页面时，星岚会弹出提醒，并可自动打招呼。</li>\n"
                "</ol>");
}

std::string FeaturedShopsPage() {
    return Page("推荐店铺",
                "<h1>推荐店铺</h1>\n<ul>\n"
                "<li>星岚小店：手工茶具</li>\n<li>云杉数码：正品配件</li>\n"
                "<li>青禾布艺：原创家纺</li>\n</ul>");
}

std::string ToolbarPage() {
    return Page("星岚", "<p style=\"text-align:center\">星岚打招呼其乐无穷啦</p>");
}

std::string VisitorCardPage(std::string_view nick, bool online) {
    const std::string name = HtmlEscape(nick);
    std::string body = "<h1>" + name + "</h1>\n<p>旺旺状态：";
    body += online ? "在线" : "离线";
    body += "</p>";
    return Page(name + " 的名片", body);
}

std::string HtmlEscape(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            case '\'':
                escaped += "&#39;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

namespace {

constexpr const char* kProductNames[] = {"纯棉 短袖T恤 女款", "韩版 双肩包",   "手工 红糖姜茶",
                                         "蓝牙 耳机 运动",    "加厚 羊毛围巾", "景德镇 陶瓷茶具"};

}  // namespace

std::string ProductName(std::int64_t id) {
    const auto count = static_cast<std::int64_t>(std::size(kProductNames));
    return kProductNames[((id % count) + count) % count];
}

std::string ProductPage(std::int64_t id) {
    const std::string page =
        "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gbk\">"
        "<title>" +
        HtmlEscape(ProductName(id)) + "-淘宝网</title></head><body><h1>" +
        HtmlEscape(ProductName(id)) + "</h1><p>商品编号 " + std::to_string(id) +
        "</p></body></html>";
    return text::Utf8ToGbk(page);
}

}  // namespace corvane::trackd
