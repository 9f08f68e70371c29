#include "services/PageTitle.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/TextCodec.h"

namespace corvane::services {
namespace {

constexpr std::string_view kOpenTag = "<title>";
constexpr std::string_view kCloseTag = "</title>";
// The tag itself (7) plus at most 93 characters of title.
constexpr std::size_t kMaxTagToCloseDistance = 100;

// Removed in this order, each everywhere, left to right.
constexpr std::string_view kDecorations[] = {"首页-", "首页", "淘宝网 - ", "-淘宝网", "淘宝网",
                                             " - ",   " ",    "\r",        "\n",      "\t"};

void RemoveAll(std::string& text, std::string_view piece) {
    std::string result;
    result.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t found = text.find(piece); found != std::string::npos;
         found = text.find(piece, from)) {
        result.append(text, from, found - from);
        from = found + piece.size();
    }
    result.append(text, from, std::string::npos);
    text = std::move(result);
}

std::string Lower(std::string_view text) {
    std::string lowered(text);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lowered;
}

std::string DecodePage(std::string_view raw, std::string charset) {
    if (charset.empty()) {
        charset = MetaCharset(raw);
    }
    if (charset.empty() || charset == "gbk" || charset == "gb2312") {
        return text::GbkToUtf8(raw);
    }
    if (charset == "utf-8" || charset == "utf8") {
        return text::ConvertCharset(raw, "UTF-8", "UTF-8").value_or(std::string());
    }
    // A charset iconv does not know reads as GBK, like a page that declares none.
    return text::ConvertCharset(raw, charset, "UTF-8").value_or(text::GbkToUtf8(raw));
}

}  // namespace

std::string MetaCharset(std::string_view rawPage) {
    // Only the head matters, and a meta tag sits near the top.
    const std::string head = Lower(rawPage.substr(0, std::min<std::size_t>(rawPage.size(), 4096)));
    for (std::size_t meta = head.find("<meta"); meta != std::string::npos;
         meta = head.find("<meta", meta + 5)) {
        const std::size_t end = head.find('>', meta);
        const std::string_view tag =
            std::string_view(head).substr(meta, end == std::string::npos ? end : end - meta);
        const std::size_t key = tag.find("charset=");
        if (key == std::string_view::npos) {
            continue;
        }
        std::size_t start = key + std::strlen("charset=");
        while (start < tag.size() && (tag[start] == '"' || tag[start] == '\'')) {
            ++start;
        }
        std::size_t stop = start;
        while (stop < tag.size() && (std::isalnum(static_cast<unsigned char>(tag[stop])) ||
                                     tag[stop] == '-' || tag[stop] == '_')) {
            ++stop;
        }
        if (stop > start) {
            return std::string(tag.substr(start, stop - start));
        }
    }
    return {};
}

std::string CleanPageTitle(std::string_view pageText) {
    const std::size_t open = pageText.find(kOpenTag);
    if (open == std::string_view::npos) {
        return kNoTitle;
    }
    const std::size_t start = open + kOpenTag.size();
    const std::size_t close = pageText.find(kCloseTag, start);
    if (close == std::string_view::npos) {
        return kNoTitle;
    }
    // The limit counts characters, not bytes.
    const std::size_t distance = text::Utf8Length(pageText.substr(open, close - open));
    if (distance > kMaxTagToCloseDistance) {
        return kNoTitle;
    }
    std::string title(pageText.substr(start, close - start));
    for (std::string_view decoration : kDecorations) {
        RemoveAll(title, decoration);
    }
    return title;
}

std::string GetPageTitle(const std::string& pageAddress, const net::HttpLimits& limits,
                         const std::atomic<bool>* cancel) {
    if (pageAddress.find("http://") == std::string::npos) {
        return kNoTitle;
    }
    net::CWinHttpEx client(limits);
    client.SetCancelFlag(cancel);
    std::string body;
    if (!client.Get(pageAddress, body)) {
        return kNoTitle;
    }
    // The body ends with a 0 byte; the text ends at the first one.
    const std::string_view raw(body.c_str());
    const std::string title = CleanPageTitle(DecodePage(raw, client.DeclaredCharset()));
    client.Close();
    return title;
}

}  // namespace corvane::services
